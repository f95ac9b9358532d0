#include "vCardCharset.h"

#include <QTextCodec>

#include <algorithm>

namespace {

const int utf8Mib = 106;

// The bytes the rest of a property line is made of, which must mean the same in its charset.
QByteArray asciiSample()
{
    QByteArray sample = "\t\n\r";
    for (char c = ' '; c <= '~'; ++c)
        sample += c;
    return sample;
}

bool keepsAscii(QTextCodec* codec)
{
    static const QByteArray sample = asciiSample();
    return codec->toUnicode(sample) == QLatin1String(sample)
        && codec->fromUnicode(QLatin1String(sample)) == sample;
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
}

} // namespace

vCardCharset::vCardCharset(const QList<vCardParam>& params)
{
    const auto charset = std::find_if(params.cbegin(), params.cend(),
        [](const vCardParam& param) { return param.group() == vCardParam::Charset; });
    if (charset == params.cend())
        return;
    QTextCodec* codec = QTextCodec::codecForName(charset->value().trimmed().toLatin1());
    m_unknown = !codec || !keepsAscii(codec);
    if (!m_unknown && codec->mibEnum() != utf8Mib)
        m_codec = codec;
}

QString vCardCharset::decode(const QByteArray& bytes, bool* exact) const
{
    if (m_codec) {
        const QString text = m_codec->toUnicode(bytes);
        *exact = m_codec->fromUnicode(text) == bytes;
        return text;
    }
    const QString text = QString::fromUtf8(bytes);
    const bool valid = text.toUtf8() == bytes;
    *exact = m_unknown ? isAscii(bytes) : valid;
    return valid ? text : QString::fromLatin1(bytes);
}

bool vCardCharset::encode(const QString& text, QByteArray* bytes) const
{
    if (m_codec) {
        *bytes = m_codec->fromUnicode(text);
        return m_codec->toUnicode(*bytes) == text;
    }
    *bytes = text.toUtf8();
    return !m_unknown || isAscii(*bytes);
}
