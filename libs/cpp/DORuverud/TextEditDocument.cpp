#include "TextEditDocument.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QPixmap>
#include <QUrl>

#include <sys/stat.h>
#include <utility>

namespace {

bool isDataUrl(const QUrl& name)
{
    return name.scheme() == QLatin1String("data");
}

// The bytes a data URL holds after its first comma, percent-encoded or in base64.
QByteArray dataUrlContent(const QUrl& name)
{
    const QByteArray url = QByteArray::fromPercentEncoding(name.toEncoded());
    const int comma = url.indexOf(',');
    if (comma < 0)
        return QByteArray();
    const QByteArray content = url.mid(comma + 1);
    return url.left(comma).trimmed().toLower().endsWith(";base64") ? QByteArray::fromBase64(content)
                                                                   : content;
}

QString localPath(const QUrl& name)
{
    return name.isLocalFile() ? name.toLocalFile() : name.toString();
}

// The path of the program's own resource a name stands for, as the text layout
// names a picture given as ":/path", or an empty text.
QString resourcePath(const QUrl& name)
{
    return name.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + name.path() : QString();
}

// What a regular file is however it is named: its device and inode. Empty
// for anything else.
QByteArray fileIdentity(const QString& path)
{
    struct stat info;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0
        || !S_ISREG(info.st_mode))
        return QByteArray();
    return "file " + QByteArray::number(qulonglong(info.st_dev)) + ' '
        + QByteArray::number(qulonglong(info.st_ino));
}

// The regular file the name stands for, or an empty text.
QString regularFile(const QUrl& name)
{
    const QString path = localPath(name);
    return fileIdentity(path).isEmpty() ? QString() : path;
}

// Never a null picture: for one, the text layout would read the file itself.
QImage missingPicture()
{
    return DAvuroD::PictureReader::missing();
}

} // namespace

TextEditDocument::TextEditDocument(QObject* parent)
    : QTextDocument(parent)
{
    connect(this, &QTextDocument::contentsChange, this, [this] { ++m_changes; });
}

void TextEditDocument::clear()
{
    QTextDocument::clear();
    m_pictures.clear();
    m_named.clear();
    m_budget = DAvuroD::PictureReader::Budget();
    m_leftOutWhy.clear();
}

void TextEditDocument::leavePicturesUnread()
{
    m_readsPictures = false;
}

QString TextEditDocument::picturesLeftOutWhy() const
{
    return m_leftOutWhy;
}

// Kept once read, since the layout asks for a picture on every pass.
QVariant TextEditDocument::loadResource(int type, const QUrl& name)
{
    const QVariant resource = type == ImageResource ? QVariant(picture(name))
        : type == StyleSheetResource                ? styleSheet(name)
                                                    : QVariant();
    if (resource.isValid())
        addResource(type, name, resource);
    return resource;
}

// Each name counts once, whether it names a picture or nothing.
QImage TextEditDocument::picture(const QUrl& name)
{
    if (!m_readsPictures)
        return missingPicture();
    const auto named = m_named.constFind(name);
    if (named != m_named.constEnd())
        return m_pictures.value(named.value(), missingPicture());
    if (m_named.size() >= maxPictures) {
        leaveOutBeyondCount();
        return missingPicture();
    }
    QByteArray content;
    QBuffer buffer(&content);
    QFile file;
    QIODevice* device = &file;
    QByteArray identity;
    if (isDataUrl(name)) {
        content = dataUrlContent(name);
        identity = "data " + QCryptographicHash::hash(content, QCryptographicHash::Sha256);
        device = &buffer;
    } else if (!resourcePath(name).isEmpty()) {
        file.setFileName(resourcePath(name));
        identity = file.exists() ? "resource " + file.fileName().toUtf8() : QByteArray();
    } else {
        file.setFileName(localPath(name));
        identity = fileIdentity(file.fileName());
    }
    m_named.insert(name, identity);
    if (identity.isEmpty())
        return missingPicture();
    auto known = m_pictures.constFind(identity);
    if (known != m_pictures.constEnd())
        return known.value();
    return m_pictures.insert(identity, withinBudget(device)).value();
}

// What decoding costs decides before a pixel is decoded.
QImage TextEditDocument::withinBudget(QIODevice* device)
{
    if (!device->open(QIODevice::ReadOnly))
        return missingPicture();
    const DAvuroD::PictureReader::Budget before = m_budget;
    QImage image = DAvuroD::PictureReader::read(device, &m_budget);
    if (m_budget.beyondPixels && !before.beyondPixels)
        leaveOutBeyondPixels();
    if (m_budget.outOfSvgTime && !before.outOfSvgTime)
        leaveOut(tr("Some pictures show as missing: drawing them would take longer than the "
                    "%1 seconds this editor gives the drawings of a document.")
                     .arg(DAvuroD::PictureReader::Budget::svgDrawingMs / 1000));
    if (image.isNull())
        return missingPicture();
    // In the form the view draws, so that every drawing shares these pixels.
    return QPixmap::fromImage(std::move(image)).toImage();
}

void TextEditDocument::takePicturesOf(const TextEditDocument& paste)
{
    for (auto it = paste.m_named.cbegin(); it != paste.m_named.cend(); ++it) {
        if (m_named.contains(it.key()))
            continue;
        if (m_named.size() >= maxPictures) {
            leaveOutBeyondCount();
            continue;
        }
        m_named.insert(it.key(), it.value());
        takePicture(it.value(), paste.m_pictures.value(it.value()));
    }
    m_budget.svgMs = paste.m_budget.svgMs;
    if (!paste.m_leftOutWhy.isEmpty())
        leaveOut(paste.m_leftOutWhy);
}

// A picture new here within the budget of pixels, else as missing.
void TextEditDocument::takePicture(const QByteArray& identity, const QImage& image)
{
    if (identity.isEmpty() || m_pictures.contains(identity))
        return;
    const bool missing = image.isNull() || image.cacheKey() == missingPicture().cacheKey();
    const qint64 pixels = missing ? 0 : qint64(image.width()) * image.height();
    if (pixels > m_budget.pixels) {
        leaveOutBeyondPixels();
        m_pictures.insert(identity, missingPicture());
        return;
    }
    m_budget.pixels -= pixels;
    m_pictures.insert(identity, missing ? missingPicture() : image);
}

void TextEditDocument::readPicturesAs(const TextEditDocument& other)
{
    readPicturesAs(other.pictures());
}

void TextEditDocument::readPicturesAs(const Pictures& pictures)
{
    m_pictures = pictures.read;
    m_named = pictures.named;
    m_budget = pictures.budget;
    m_leftOutWhy = pictures.leftOutWhy;
    setBaseUrl(pictures.base);
}

TextEditDocument::Pictures TextEditDocument::pictures() const
{
    return {m_pictures, m_named, m_budget, m_leftOutWhy, baseUrl()};
}

QVector<QPair<QUrl, QSize>> TextEditDocument::namedPictures() const
{
    QVector<QPair<QUrl, QSize>> named;
    named.reserve(m_named.size());
    for (auto it = m_named.cbegin(); it != m_named.cend(); ++it) {
        const QImage image = m_pictures.value(it.value(), missingPicture());
        named.append({it.key(), (QSizeF(image.size()) / image.devicePixelRatio()).toSize()});
    }
    return named;
}

void TextEditDocument::setHelperCopy(quint64 copy)
{
    m_helperCopy = copy;
    m_changesAtCopy = m_changes;
}

quint64 TextEditDocument::helperCopy() const
{
    return m_changes == m_changesAtCopy ? m_helperCopy : 0;
}

void TextEditDocument::rememberPasteRefusal(const QByteArray& paste, const QString& refusal)
{
    m_refusedPaste = paste;
    m_pasteRefusal = refusal;
    m_changesAtRefusal = m_changes;
}

QString TextEditDocument::pasteRefusal(const QByteArray& paste) const
{
    const QPair<QByteArray, QString> remembered = rememberedPasteRefusal();
    return paste == remembered.first ? remembered.second : QString();
}

QPair<QByteArray, QString> TextEditDocument::rememberedPasteRefusal() const
{
    if (m_changes != m_changesAtRefusal || m_refusedPaste.isEmpty())
        return {};
    return {m_refusedPaste, m_pasteRefusal};
}

void TextEditDocument::leaveOutBeyondPixels()
{
    leaveOut(tr("Some pictures show as missing: with them the pictures of this document would "
                "hold more than %1 million pixels, more than this editor can hold.")
                 .arg(maxPixels / 1000000));
}

void TextEditDocument::leaveOutBeyondCount()
{
    leaveOut(tr("Some pictures show as missing: this document names more than %1 pictures, "
                "more than this editor reads.")
                 .arg(maxPictures));
}

// Told once, at the first picture left out since the document was cleared.
void TextEditDocument::leaveOut(const QString& why)
{
    if (!m_leftOutWhy.isEmpty())
        return;
    m_leftOutWhy = why;
    emit picturesLeftOut(m_leftOutWhy);
}

QVariant TextEditDocument::styleSheet(const QUrl& name)
{
    if (isDataUrl(name))
        return QTextDocument::loadResource(StyleSheetResource, name);
    QFile file(regularFile(name));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return QVariant();
    const QByteArray content = file.read(maxStyleSheetSize + 1);
    return content.size() > maxStyleSheetSize ? QVariant() : QVariant(content);
}
