#include "CssSheetReader.h"

#include "UnbrokenRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <algorithm>

namespace DORuverud {

namespace {

bool isControlCharacter(QChar c)
{
    const ushort u = c.unicode();
    return (u < 0x20 && u != '\t' && u != '\n' && u != '\f' && u != '\r') || u == 0x7f;
}

} // namespace

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

QString CssSheetReader::read(const QByteArray& data)
{
    if (data.size() > maxFileSize)
        return sizeRefusal();
    QTextCodec* codec = QTextCodec::codecForUtfText(data, QTextCodec::codecForLocale());
    QTextCodec::ConverterState state;
    m_text = codec->toUnicode(data.constData(), data.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0
        || std::any_of(m_text.cbegin(), m_text.cend(), isControlCharacter))
        return tr("It is not text in the encoding %1, so this editor cannot show it faithfully.")
            .arg(QString::fromLatin1(codec->name()));
    return layoutRefusal(m_text);
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
