#include "SvgStage.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <QXmlStreamReader>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DAvuroD {

namespace {

bool isNameEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>';
}

// Whether the text has an element named image, with or without a prefix:
// most have none, and are not parsed here.
bool namesPictures(const QByteArray& text)
{
    for (int at = text.indexOf("image"); at >= 0; at = text.indexOf("image", at + 1)) {
        const char before = at > 0 ? text.at(at - 1) : ' ';
        const int after = at + 5;
        if ((before == '<' || before == ':') && after < text.size() && isNameEnd(text.at(after)))
            return true;
    }
    return false;
}

// The relative names of what the <image> elements name, as Qt's renderer
// opens them from text: trimmed, no URL of a scheme, no data. Qt 5 reads
// xlink:href, later versions href too.
QStringList namesIn(const QByteArray& text)
{
    QStringList names;
    QSet<QString> seen;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement
            || xml.name() != QLatin1String("image"))
            continue;
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            // Most name data: they are let go as they are read.
            const QStringRef value = attribute.value().trimmed();
            const bool href = attribute.qualifiedName() == QLatin1String("xlink:href")
                || attribute.qualifiedName() == QLatin1String("href");
            if (!href || value.isEmpty() || value.startsWith('/')
                || value.startsWith(QLatin1String("data:")))
                continue;
            const QString name = value.toString();
            if (QUrl(name).scheme().isEmpty() && !seen.contains(name)) {
                seen.insert(name);
                names << name;
            }
            if (names.size() == SvgStage::mostNames)
                return names;
        }
    }
    return names;
}

// The folders the name walks through, as the stage must have them for the
// helper to open it as it stands; empty where it leaves the folder.
QStringList foldersOf(const QString& name, bool& within)
{
    QStringList folders;
    QStringList depth;
    const QStringList parts = name.split('/');
    within = true;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const QString& part = parts.at(i);
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            within = !depth.isEmpty();
            if (!within)
                return {};
            depth.removeLast();
        } else {
            depth << part;
            folders << QStringList(parts.mid(0, i + 1)).join('/');
        }
    }
    return folders;
}

// What a regular file holds, read without waiting on it, if it lies within
// the folder once its links are followed and takes no more than left.
QByteArray regularFile(
    const QByteArray& path, const QByteArray& realFolder, qint64 left, bool& tooLarge)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat file;
    char real[PATH_MAX];
    QByteArray content;
    if (fd >= 0 && ::fstat(fd, &file) == 0 && S_ISREG(file.st_mode)
        && ::realpath(path.constData(), real) && QByteArray(real).startsWith(realFolder + '/')) {
        tooLarge = file.st_size > left;
        QFile read;
        if (!tooLarge && read.open(fd, QIODevice::ReadOnly))
            content = read.read(file.st_size);
    }
    if (fd >= 0)
        ::close(fd);
    return content;
}

bool write(const QByteArray& path, const QByteArray& content)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

QString SvgStage::copy(const QByteArray& text, const QString& folder, const QByteArray& stage)
{
    if (folder.isEmpty() || stage.isEmpty() || !namesPictures(text))
        return QString();
    const QStringList names = namesIn(text);
    char real[PATH_MAX];
    if (names.isEmpty() || !::realpath(QFile::encodeName(folder).constData(), real))
        return QString();
    const QByteArray realFolder(real);
    qint64 left = maxBytes;
    int files = 0;
    for (const QString& name : names) {
        bool within = true;
        const QStringList folders = foldersOf(name, within);
        const QByteArray source = QFile::encodeName(folder + '/' + name);
        bool tooLarge = false;
        const QByteArray content
            = within ? regularFile(source, realFolder, left, tooLarge) : QByteArray();
        if (tooLarge || (!content.isNull() && ++files > maxFiles))
            return QStringLiteral("it names more than %1 files or %2 MiB beside it")
                .arg(maxFiles)
                .arg(maxBytes >> 20);
        if (content.isNull())
            continue;
        for (const QString& made : folders)
            ::mkdir((stage + '/' + QFile::encodeName(made)).constData(), 0700);
        if (!write(stage + '/' + QFile::encodeName(name), content))
            return QStringLiteral("the files it names could not be copied for its helper");
        left -= content.size();
    }
    return QString();
}

} // namespace DAvuroD
