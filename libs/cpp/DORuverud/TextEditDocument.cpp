#include "TextEditDocument.h"

#include "PictureReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QUrl>

namespace {

bool isDataUrl(const QUrl& name)
{
    return name.scheme() == QLatin1String("data");
}

// The regular file the name stands for, or an empty text.
QString regularFile(const QUrl& name)
{
    const QString path = name.isLocalFile() ? name.toLocalFile() : name.toString();
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

TextEditDocument::TextEditDocument(QObject* parent)
    : QTextDocument(parent)
{
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

// Never a null picture: for one, the text layout would read the file itself.
QImage TextEditDocument::picture(const QUrl& name)
{
    QImage image;
    if (isDataUrl(name)) {
        QByteArray data = QTextDocument::loadResource(ImageResource, name).toByteArray();
        QBuffer buffer(&data);
        image = DAvuroD::PictureReader::read(&buffer);
    } else if (!regularFile(name).isEmpty()) {
        image = DAvuroD::PictureReader::read(regularFile(name));
    }
    if (image.isNull()) {
        image = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    }
    return image;
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
