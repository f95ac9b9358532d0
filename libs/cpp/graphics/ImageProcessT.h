#pragma once

#include "GraphX.h"

#include <cstddef>

#include <memory>

class QImage;

namespace DAvuroD {

class ProgressLine;

// A planar image of depth 1, 8 or 24 bits: one plane per channel (red or
// gray or palette index, green, blue, alpha), samples on the scale 0..255.
// The filters change the buffer in place and clamp to minValue..maxValue.
// The progress lines are accepted and not used.
template <typename T> class ImageProcessT : public GraphX
{
public:
    enum Flag : unsigned char { UnchangedCopy = 1, Gray = 2 };

    // A file that cannot be read, or beyond PictureReader's budget, gives a 0 x 0 buffer.
    explicit ImageProcessT(const char* path, ProgressLine* progress = nullptr);
    // One colour; depth 8 gets identity palettes, any depth but 1 and 8 is 24.
    ImageProcessT(const int& depth, const int& width, const int& height, const int& color,
        ProgressLine* progress = nullptr);
    explicit ImageProcessT(const QImage& image, ProgressLine* progress = nullptr);
    ImageProcessT(const ImageProcessT& other);
    ImageProcessT& operator=(const ImageProcessT&) = delete;
    ~ImageProcessT() override;

    // Four bytes a pixel, blue, green, red, alpha in memory order (a 32-bit
    // QImage); copies at most count pixels. The format is not used.
    bool loadFromData(unsigned char* data, int count, const char* format);

    void putPixel(int x, int y, int color) const override;
    int getPixel(int x, int y) const override;
    void draw() override;
    void draw(const int& x, const int& y) override;
    void draw(const int& x, const int& y, const int& w, const int& h) override;
    void drawHScrolled(const int& dx) override;
    void drawVScrolled(const int& dy) override;
    void drawArea(const int& x, const int& y, const int& w, const int& h, const int& toX,
        const int& toY) override;

    ImageProcessT& brightness(const int& delta, ProgressLine* progress = nullptr);
    void palBrightness(const int& delta, ProgressLine* progress = nullptr);
    // Gray first (unless gray already), then minValue at or below the threshold, else maxValue.
    ImageProcessT& binarize(const int& threshold, ProgressLine* progress = nullptr);
    ImageProcessT& colorToGray(ProgressLine* progress = nullptr);

protected:
    void deInit();

    std::unique_ptr<T[]> m_pPlanes[4];
    std::unique_ptr<unsigned char[]> m_pPalettes[4];
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nByteSize = 0;
    int m_nPosX = 0;
    int m_nPosY = 0;
    signed char m_nDepth = 24;
    mutable unsigned char m_nFlags = 0;
    int m_nMaxValue = 255;
    int m_nMinValue = 0;

private:
    size_t pixelCount() const;
    void allocatePlanes(int count);
    void setIdentityPalettes();
    void loadImage(const QImage& image);
    void addClamped(T* plane, int delta);
    bool contains(int x, int y) const;
};

extern template class ImageProcessT<unsigned char>;
extern template class ImageProcessT<float>;
extern template class ImageProcessT<double>;

} // namespace DAvuroD
