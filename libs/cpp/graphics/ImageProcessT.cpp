#include "ImageProcessT.h"

#include "PictureReader.h"

#include <QImage>

#include <algorithm>

namespace DAvuroD {

namespace {

template <typename V> V clampTo(V value, int low, int high)
{
    if (value > high)
        return V(high);
    if (value < low)
        return V(low);
    return value;
}

// Samples are stored as the low byte for 8-bit buffers, as the value otherwise.
template <typename T> T sample(int value)
{
    return T(value);
}

template <> unsigned char sample<unsigned char>(int value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

// A 1-bit colour (0 or 1) is stored as colour x 255.
int oneBitLevel(int color)
{
    return int(unsigned(color) * 255u);
}

// Any step beyond the sample range clamps alike; bounding it keeps the sums in range.
int boundedDelta(int delta)
{
    return std::clamp(delta, -0x10000, 0x10000);
}

bool isDirect32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

template <typename T> ImageProcessT<T>::ImageProcessT(const char* path, ProgressLine*)
{
    loadImage(PictureReader::read(QString::fromLatin1(path)));
}

template <typename T>
ImageProcessT<T>::ImageProcessT(
    const int& depth, const int& width, const int& height, const int& color, ProgressLine*)
    : m_nWidth(std::max(width, 0))
    , m_nHeight(std::max(height, 0))
    , m_nDepth(depth == 1 || depth == 8 ? depth : 24)
{
    m_nByteSize = int(pixelCount() * m_nDepth / 8);
    const size_t count = pixelCount();
    if (m_nDepth == 24) {
        for (int plane = 0; plane < 3; ++plane) {
            m_pPlanes[plane].reset(new T[count]);
            std::fill_n(m_pPlanes[plane].get(), count, sample<T>(color >> (16 - 8 * plane) & 0xFF));
        }
        return;
    }
    m_pPlanes[0].reset(new T[count]);
    std::fill_n(m_pPlanes[0].get(), count, sample<T>(m_nDepth == 1 ? oneBitLevel(color) : color));
    if (m_nDepth == 8)
        setIdentityPalettes();
}

template <typename T> ImageProcessT<T>::ImageProcessT(const QImage& image, ProgressLine*)
{
    loadImage(image);
}

template <typename T>
ImageProcessT<T>::ImageProcessT(const ImageProcessT& other)
    : GraphX()
    , m_nWidth(other.m_nWidth)
    , m_nHeight(other.m_nHeight)
    , m_nByteSize(other.m_nByteSize)
    , m_nPosX(other.m_nPosX)
    , m_nPosY(other.m_nPosY)
    , m_nDepth(other.m_nDepth)
    , m_nFlags(UnchangedCopy | (other.m_nFlags & Gray))
    , m_nMaxValue(other.m_nMaxValue)
    , m_nMinValue(other.m_nMinValue)
{
    const size_t count = pixelCount();
    for (int i = 0; i < 4; ++i) {
        if (other.m_pPlanes[i]) {
            m_pPlanes[i].reset(new T[count]);
            std::copy_n(other.m_pPlanes[i].get(), count, m_pPlanes[i].get());
        }
        if (other.m_pPalettes[i]) {
            m_pPalettes[i].reset(new unsigned char[256]);
            std::copy_n(other.m_pPalettes[i].get(), 256, m_pPalettes[i].get());
        }
    }
}

template <typename T> ImageProcessT<T>::~ImageProcessT()
{
    deInit();
}

template <typename T> void ImageProcessT<T>::deInit()
{
    for (int i = 0; i < 4; ++i) {
        m_pPlanes[i].reset();
        m_pPalettes[i].reset();
    }
}

template <typename T> size_t ImageProcessT<T>::pixelCount() const
{
    return size_t(m_nWidth) * size_t(m_nHeight);
}

template <typename T> void ImageProcessT<T>::setIdentityPalettes()
{
    for (int i = 0; i < 3; ++i) {
        if (!m_pPalettes[i])
            m_pPalettes[i].reset(new unsigned char[256]);
        for (int entry = 0; entry < 256; ++entry)
            m_pPalettes[i][entry] = static_cast<unsigned char>(entry);
    }
}

// Other formats are converted first, so that every pixel has its four bytes.
template <typename T> void ImageProcessT<T>::loadImage(const QImage& image)
{
    const QImage pixels = isDirect32(image.format()) || image.isNull()
        ? image
        : image.convertToFormat(QImage::Format_ARGB32);
    m_nWidth = pixels.width();
    m_nHeight = pixels.height();
    if (!pixels.isNull())
        loadFromData(
            const_cast<uchar*>(pixels.constBits()), int(pixels.sizeInBytes() / 4), nullptr);
}

template <typename T>
bool ImageProcessT<T>::loadFromData(unsigned char* data, int count, const char*)
{
    const size_t pixels = pixelCount();
    for (int i = 0; i < 4; ++i)
        m_pPlanes[i].reset(new T[pixels]());
    const size_t copied = data ? std::min(size_t(std::max(count, 0)), pixels) : 0;
    for (size_t i = 0; i < copied; ++i) {
        const unsigned char* bgra = data + 4 * i;
        m_pPlanes[0][i] = T(bgra[2]);
        m_pPlanes[1][i] = T(bgra[1]);
        m_pPlanes[2][i] = T(bgra[0]);
        m_pPlanes[3][i] = T(bgra[3]);
    }
    return true;
}

template <typename T> bool ImageProcessT<T>::contains(int x, int y) const
{
    return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight;
}

template <typename T> void ImageProcessT<T>::putPixel(int x, int y, int color) const
{
    if (!contains(x, y))
        return;
    const size_t i = size_t(y) * m_nWidth + x;
    if (m_nDepth == 24) {
        m_pPlanes[0][i] = sample<T>(color >> 16 & 0xFF);
        m_pPlanes[1][i] = sample<T>(color >> 8 & 0xFF);
        m_pPlanes[2][i] = sample<T>(color & 0xFF);
    } else {
        m_pPlanes[0][i] = sample<T>(m_nDepth == 1 ? oneBitLevel(color) : color);
    }
    m_nFlags &= ~UnchangedCopy;
}

template <typename T> int ImageProcessT<T>::getPixel(int x, int y) const
{
    if (!contains(x, y))
        return 0;
    const size_t i = size_t(y) * m_nWidth + x;
    const int first = int(m_pPlanes[0][i]);
    if (m_nDepth == 8)
        return first;
    if (m_nDepth == 1)
        return first >= 128 ? 1 : 0;
    return (first & 0xFF) << 16 | (int(m_pPlanes[1][i]) & 0xFF) << 8
        | (int(m_pPlanes[2][i]) & 0xFF);
}

template <typename T> void ImageProcessT<T>::draw()
{
    draw(m_nPosX, m_nPosY);
}

template <typename T> void ImageProcessT<T>::draw(const int&, const int&) { }

template <typename T>
void ImageProcessT<T>::draw(const int&, const int&, const int&, const int&) { }

template <typename T> void ImageProcessT<T>::drawHScrolled(const int&) { }

template <typename T> void ImageProcessT<T>::drawVScrolled(const int&) { }

template <typename T>
void ImageProcessT<T>::drawArea(
    const int&, const int&, const int&, const int&, const int&, const int&)
{
}

template <typename T> void ImageProcessT<T>::addClamped(T* plane, int delta)
{
    const size_t count = pixelCount();
    const int step = boundedDelta(delta);
    for (size_t i = 0; i < count; ++i)
        plane[i] = T(clampTo(plane[i] + step, m_nMinValue, m_nMaxValue));
}

template <typename T>
ImageProcessT<T>& ImageProcessT<T>::brightness(const int& delta, ProgressLine*)
{
    if ((m_nFlags & Gray) || m_nDepth != 8) {
        addClamped(m_pPlanes[0].get(), delta);
        if (m_pPlanes[1]) {
            addClamped(m_pPlanes[1].get(), delta);
            addClamped(m_pPlanes[2].get(), delta);
        }
        m_nFlags &= ~UnchangedCopy;
    } else {
        palBrightness(delta);
    }
    if (m_nDepth == 1)
        binarize(127);
    return *this;
}

template <typename T> void ImageProcessT<T>::palBrightness(const int& delta, ProgressLine*)
{
    if (m_nDepth != 8)
        return;
    const int step = boundedDelta(delta);
    for (int i = 0; i < 3; ++i) {
        for (int entry = 0; entry < 256 && m_pPalettes[i]; ++entry)
            m_pPalettes[i][entry] = clampTo(m_pPalettes[i][entry] + step, m_nMinValue, m_nMaxValue);
    }
    m_nFlags &= ~UnchangedCopy;
}

template <typename T>
ImageProcessT<T>& ImageProcessT<T>::binarize(const int& threshold, ProgressLine*)
{
    if (!(m_nFlags & Gray))
        colorToGray();
    const size_t count = pixelCount();
    const int planes = m_nDepth == 24 ? 3 : 1;
    for (size_t i = 0; i < count; ++i) {
        const T level = T(m_pPlanes[0][i] <= threshold ? m_nMinValue : m_nMaxValue);
        for (int plane = 0; plane < planes; ++plane)
            m_pPlanes[plane][i] = level;
    }
    m_nFlags &= ~UnchangedCopy;
    return *this;
}

template <typename T> ImageProcessT<T>& ImageProcessT<T>::colorToGray(ProgressLine*)
{
    if (m_nDepth == 1 || (m_nFlags & Gray))
        return *this;
    const size_t count = pixelCount();
    if (m_nDepth == 8 && m_pPalettes[0] && m_pPalettes[1] && m_pPalettes[2]) {
        for (size_t i = 0; i < count; ++i) {
            const int index = int(m_pPlanes[0][i]) & 0xFF;
            m_pPlanes[0][i]
                = T((m_pPalettes[0][index] + m_pPalettes[1][index] + m_pPalettes[2][index]) / 3);
        }
        setIdentityPalettes();
    } else if (m_nDepth == 24) {
        for (size_t i = 0; i < count; ++i) {
            const T gray
                = T((int(m_pPlanes[0][i]) + int(m_pPlanes[1][i]) + int(m_pPlanes[2][i])) / 3);
            m_pPlanes[0][i] = m_pPlanes[1][i] = m_pPlanes[2][i] = gray;
        }
    }
    m_nFlags = (m_nFlags & ~(UnchangedCopy | Gray)) | Gray;
    return *this;
}

template class ImageProcessT<unsigned char>;
template class ImageProcessT<float>;
template class ImageProcessT<double>;

} // namespace DAvuroD
