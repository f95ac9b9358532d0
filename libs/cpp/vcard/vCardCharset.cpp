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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The name as charset names are compared: letters and digits alone, upper
// case, without the zeros that lead a number.
QByteArray lookupKey(const QString& name)
{
    QByteArray letters;
    for (const QChar c : name) {
        const char l = c.toLatin1();
        if (isDigit(l) || (l >= 'A' && l <= 'Z'))
            letters += l;
        else if (l >= 'a' && l <= 'z')
            letters += char(l - 'a' + 'A');
    }
    QByteArray key;
    for (int i = 0; i < letters.size(); ++i) {
        const bool leadsNumber = key.isEmpty() || !isDigit(key.back());
        if (!(letters.at(i) == '0' && leadsNumber && i + 1 < letters.size()
                && isDigit(letters.at(i + 1))))
            key += letters.at(i);
    }
    return key;
}

// The codec of a known charset, null for an unknown one. Qt looks a name up
// slowly, the more so when it knows none like it; so only the names it lists
// are looked up, each once.
QTextCodec* knownCodec(const QString& name)
{
    static QMutex mutex;
    static QHash<QByteArray, QByteArray> listed;
    static QHash<QByteArray, QTextCodec*> found;
    const QByteArray key = lookupKey(name);
    QMutexLocker locker(&mutex);
    if (listed.isEmpty()) {
        const QList<QByteArray> names = QTextCodec::availableCodecs();
        for (const QByteArray& listedName : names)
            listed.insert(lookupKey(QString::fromLatin1(listedName)), listedName);
    }
    const auto known = found.constFind(key);
    if (known != found.cend())
        return *known;
    const auto listedName = listed.constFind(key);
    if (listedName == listed.cend())
        return nullptr;
    QTextCodec* codec = QTextCodec::codecForName(*listedName);
    if (codec && !keepsAscii(codec))
        codec = nullptr;
    found.insert(key, codec);
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
