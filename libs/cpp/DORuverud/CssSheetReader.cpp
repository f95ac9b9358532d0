#include "CssSheetReader.h"

#include "TextEncoding.h"
#include "UnbrokenRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>
#include <QTextDocument>

namespace DORuverud {

CssSheetReader::CssSheetReader(const QByteArray& data)
{
    m_refusal = read(data);
    if (!m_refusal.isEmpty())
        m_text.clear();
}

CssSheetReader CssSheetReader::fromFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        CssSheetReader refused;
        refused.m_refusal = tr("It is not a file that can be read.");
        return refused;
    }
    return CssSheetReader(file.read(maxFileSize + 1));
}

QString CssSheetReader::refusal() const
{
    return m_refusal;
}

QString CssSheetReader::text() const
{
    return m_text;
}

PlainTextForm CssSheetReader::form() const
{
    return m_form;
}

QString CssSheetReader::read(const QByteArray& data)
{
    if (data.size() > maxFileSize)
        return sizeRefusal();
    QTextCodec* marked = QTextCodec::codecForUtfText(data, nullptr);
    QTextCodec* codec = marked ? marked : TextEncoding::utf8Or(data, QTextCodec::codecForLocale());
    // The white space of a style sheet.
    const bool whole = TextEncoding::decode(data, codec, QLatin1String("\t\n\f\r"), &m_text);
    m_form = PlainTextForm(codec, marked != nullptr, m_text);
    if (!whole || !writesBack(data))
        return tr("It is not text in the encoding %1, so this editor cannot show it faithfully.")
            .arg(QString::fromLatin1(codec->name()));
    return layoutRefusal(m_text);
}

// Shown only when saving it unchanged writes its bytes again: half of a
// surrogate pair, or a UTF-32 value beyond Unicode, decodes without an error.
bool CssSheetReader::writesBack(const QByteArray& data) const
{
    if (!m_text.isValidUtf16())
        return false;
    QTextDocument document;
    document.setPlainText(m_text);
    return m_form.writesBack(m_text, document.toRawText(), data);
}

QString CssSheetReader::layoutRefusal(const QString& text)
{
    if (text.size() > maxFileSize)
        return sizeRefusal();
    if (UnbrokenRun::longest(text) > UnbrokenRun::maxLength)
        return UnbrokenRun::refusal();
    return QString();
}

QString CssSheetReader::sizeRefusal()
{
    return tr("It is larger than %1 MiB, more than this editor can show.").arg(maxFileSize >> 20);
}

} // namespace DORuverud
