#include "vCardCharset.h"

#include "vCardText.h"

#include <QHash>
#include <QMutex>
#include <QTextCodec>

#include <algorithm>

namespace {

const int utf8Mib = 106;

// UTF-16 and UTF-32, by the MIB of the codec their name finds: the codec
// that writes them and, where the name gives no byte order, the other
// order's, which a byte-order mark chooses; without a mark they are
// big-endian.
struct WideCharset
{
    int mib;
    int codec;
    int swapped;
};
const WideCharset wideCharsets[] = {{1013, 1013, 0}, {1014, 1014, 0}, {1015, 1013, 1014},
    {1018, 1018, 0}, {1019, 1019, 0}, {1017, 1018, 1019}};

const WideCharset* wideCharset(const QTextCodec* codec)
{
    const auto wide = std::find_if(std::begin(wideCharsets), std::end(wideCharsets),
        [codec](const WideCharset& charset) { return codec && charset.mib == codec->mibEnum(); });
    return wide == std::end(wideCharsets) ? nullptr : wide;
}

QByteArray byteOrderMark(QTextCodec* codec)
{
    const QChar mark(QChar::ByteOrderMark);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return codec->fromUnicode(&mark, 1, &state);
}

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
    if (codec && !wideCharset(codec) && !keepsAscii(codec))
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
    : m_quotedPrintable(vCardText::isQuotedPrintable(params))
{
    const auto charset = std::find_if(params.cbegin(), params.cend(),
        [](const vCardParam& param) { return param.group() == vCardParam::Charset; });
    if (charset == params.cend())
        return;
    QTextCodec* codec = knownCodec(charset->value());
    m_unknown = !codec;
    if (const WideCharset* wide = wideCharset(codec)) {
        m_wide = true;
        m_codec = QTextCodec::codecForMib(wide->codec);
        m_swapped = wide->swapped ? QTextCodec::codecForMib(wide->swapped) : nullptr;
    } else if (codec && codec->mibEnum() != utf8Mib) {
        m_codec = codec;
    }
}

bool vCardCharset::isWide() const
{
    return m_wide;
}

QString vCardCharset::decode(const QByteArray& bytes, bool* exact) const
{
    if (m_wide) {
        const QString text = decodeWide(bytes);
        *exact = m_quotedPrintable && encodeWide(text) == bytes;
        return text;
    }
    if (m_codec) {
        const QString text = m_codec->toUnicode(bytes);
        *exact = m_codec->fromUnicode(text) == bytes;
        return text;
    }
    const QString text = QString::fromUtf8(bytes.constData(), bytes.size());
    const bool valid = text.toUtf8() == bytes;
    *exact = m_unknown ? isAscii(bytes) : valid;
    return valid ? text : QString::fromLatin1(bytes.constData(), bytes.size());
}

bool vCardCharset::encode(const QString& text, QByteArray* bytes) const
{
    if (m_wide) {
        *bytes = encodeWide(text);
        return m_quotedPrintable && decodeWide(*bytes) == text;
    }
    if (m_codec) {
        *bytes = m_codec->fromUnicode(text);
        return m_codec->toUnicode(*bytes) == text;
    }
    *bytes = text.toUtf8();
    return !m_unknown || isAscii(*bytes);
}

// A byte-order mark of the charset's own order, or, where the name gives
// none, of either, is no part of the text.
QString vCardCharset::decodeWide(const QByteArray& bytes) const
{
    QTextCodec* codec = m_codec;
    QByteArray mark = byteOrderMark(m_codec);
    if (!bytes.startsWith(mark) && m_swapped && bytes.startsWith(byteOrderMark(m_swapped))) {
        codec = m_swapped;
        mark = byteOrderMark(m_swapped);
    } else if (!bytes.startsWith(mark)) {
        mark.clear();
    }
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return codec->toUnicode(bytes.constData() + mark.size(), bytes.size() - mark.size(), &state);
}

// Big-endian with a byte-order mark where the name gives no order, so that
// every reader tells it; without one where it does.
QByteArray vCardCharset::encodeWide(const QString& text) const
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QByteArray bytes = m_codec->fromUnicode(text.constData(), text.size(), &state);
    return m_swapped ? byteOrderMark(m_codec) + bytes : bytes;
}
