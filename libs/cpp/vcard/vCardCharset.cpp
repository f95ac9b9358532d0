#include "vCardCharset.h"

#include <QHash>
#include <QMutex>
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

// The name as charset names are compared: letters and digits alone, upper
// case, without the zeros that lead a number.
QByteArray lookupKey(const QString& name)
{
    QByteArray key;
    for (int i = 0; i < name.size(); ++i) {
        const char c = name.at(i).toLatin1();
        const bool digit = c >= '0' && c <= '9';
        const bool leadingZero = c == '0' && (key.isEmpty() || !isdigit(uchar(key.back())))
            && i + 1 < name.size() && name.at(i + 1).isDigit();
        if ((digit && !leadingZero) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            key += char(toupper(uchar(c)));
    }
    return key;
}

// The codec of a known charset, null for an unknown one. Qt looks names up
// slowly, so what it found is kept, for names up to the longest a charset has.
QTextCodec* knownCodec(const QString& name)
{
    const int maxNameLength = 64;
    const int maxKept = 1024;
    static QMutex mutex;
    static QHash<QByteArray, QTextCodec*> kept;
    if (name.size() > maxNameLength)
        return nullptr;
    const QByteArray key = lookupKey(name);
    QMutexLocker locker(&mutex);
    const auto found = kept.constFind(key);
    if (found != kept.cend())
        return *found;
    QTextCodec* codec = key.isEmpty() ? nullptr : QTextCodec::codecForName(key);
    if (codec && !keepsAscii(codec))
        codec = nullptr;
    if (kept.size() == maxKept)
        kept.clear();
    kept.insert(key, codec);
    return codec;
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
    QTextCodec* codec = knownCodec(charset->value());
    m_unknown = !codec;
    if (codec && codec->mibEnum() != utf8Mib)
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
