#include "HtmlEncoding.h"

#include "TextEncoding.h"

#include <QHash>
#include <QSet>
#include <QTextCodec>

namespace {

// The labels of the encoding standard, by the codec a page whose <meta>
// element names one of them is read in: UTF-16 labels mean UTF-8 there, and
// x-user-defined windows-1252. Where Qt's codec goes by another name, it is
// the one that decodes as the standard does.
const char* const codecLabels[][2] = {
    {"UTF-8",
        "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8 unicodefffe "
        "utf-16be csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le"},
    {"IBM866", "866 cp866 csibm866 ibm866"},
    {"ISO-8859-2",
        "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 "
        "latin2"},
    {"ISO-8859-3",
        "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 "
        "latin3"},
    {"ISO-8859-4",
        "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 "
        "latin4"},
    {"ISO-8859-5",
        "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 "
        "iso_8859-5:1988"},
    {"ISO-8859-6",
        "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 "
        "iso-8859-6-e iso-8859-6-i iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
    {"ISO-8859-7",
        "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 "
        "iso_8859-7 iso_8859-7:1987 sun_eu_greek"},
    {"ISO-8859-8",
        "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 "
        "iso88598 iso_8859-8 iso_8859-8:1988 visual csiso88598i iso-8859-8-i logical"},
    {"ISO-8859-10", "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    {"ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    {"ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
    {"ISO-8859-15", "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    {"ISO-8859-16", "iso-8859-16"},
    {"KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
    {"KOI8-U", "koi8-ru koi8-u"},
    {"macintosh", "csmacintosh mac macintosh x-mac-roman"},
    {"windows-874", "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    {"windows-1250", "cp1250 windows-1250 x-cp1250"},
    {"windows-1251", "cp1251 windows-1251 x-cp1251"},
    {"windows-1252",
        "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1 "
        "iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252 "
        "x-user-defined"},
    {"windows-1253", "cp1253 windows-1253 x-cp1253"},
    {"windows-1254",
        "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 "
        "l5 latin5 windows-1254 x-cp1254"},
    {"windows-1255", "cp1255 windows-1255 x-cp1255"},
    {"windows-1256", "cp1256 windows-1256 x-cp1256"},
    {"windows-1257", "cp1257 windows-1257 x-cp1257"},
    {"windows-1258", "cp1258 windows-1258 x-cp1258"},
    {"x-mac-cyrillic", "x-mac-cyrillic x-mac-ukrainian"},
    {"GB18030",
        "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk gb18030"},
    {"Big5-HKSCS", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    {"EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
    {"ISO-2022-JP", "csiso2022jp iso-2022-jp"},
    {"Shift_JIS", "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    {"windows-949",
        "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 "
        "ksc_5601 windows-949"},
    {"HZ-GB-2312", "hz-gb-2312"},
    {"ISO-2022-KR", "csiso2022kr iso-2022-kr"},
    {"ISO-2022-CN", "iso-2022-cn"},
    {"ISO-2022-CN-EXT", "iso-2022-cn-ext"},
    {"replacement", "replacement"},
};

// The encodings that browsers read as the replacement encoding, which shows
// none of a page's text, to keep their scripts safe. This editor runs none, so
// it reads them with Qt's codec where Qt has one; the others show no text.
const QSet<QByteArray> replaced
    = {"HZ-GB-2312", "ISO-2022-KR", "ISO-2022-CN", "ISO-2022-CN-EXT", "replacement"};

bool isSpace(char c)
{
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

QByteArray trimmed(const QByteArray& text)
{
    int start = 0;
    int end = text.size();
    while (start < end && isSpace(text.at(start)))
        ++start;
    while (end > start && isSpace(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

// The codec name a label stands for in a <meta> element, or an empty text
// for an unknown label.
QByteArray codecNamed(const QByteArray& label)
{
    static const QHash<QByteArray, QByteArray> codecs = [] {
        QHash<QByteArray, QByteArray> byLabel;
        for (const auto& [codec, labels] : codecLabels) {
            for (const QByteArray& name : QByteArray(labels).split(' '))
                byLabel.insert(name, codec);
        }
        return byLabel;
    }();
    return codecs.value(trimmed(label).toLower());
}

// The label that the content attribute of a <meta> element gives after
// "charset=", or a null text.
QByteArray labelInContent(const QByteArray& content)
{
    int at = 0;
    for (;;) {
        at = content.indexOf("charset", at);
        if (at < 0)
            return QByteArray();
        for (at += 7; at < content.size() && isSpace(content.at(at));)
            ++at;
        if (at < content.size() && content.at(at) == '=')
            break;
    }
    for (++at; at < content.size() && isSpace(content.at(at));)
        ++at;
    if (at == content.size())
        return QByteArray();
    const char quote = content.at(at);
    if (quote == '"' || quote == '\'') {
        const int end = content.indexOf(quote, at + 1);
        return end < 0 ? QByteArray() : content.mid(at + 1, end - at - 1);
    }
    int end = at;
    while (end < content.size() && !isSpace(content.at(end)) && content.at(end) != ';')
        ++end;
    return content.mid(at, end - at);
}

// The HTML standard's prescan of the first 1,024 bytes of a page for the
// charset its <meta> elements declare.
class Prescan
{
public:
    explicit Prescan(const QByteArray& page)
        : m_bytes(page.left(1024))
    {
    }

    // The codec name the first <meta> declaring a known charset gives, or an
    // empty text.
    QByteArray declared();

private:
    struct Attribute
    {
        QByteArray name;
        QByteArray value;
    };

    bool startsWith(const char* text, bool anyCase = false) const;
    bool atTag() const;
    // The codec name a <meta> element declares, or an empty text.
    QByteArray meta();
    // The next attribute of a tag; false at the tag's end or the input's.
    bool attribute(Attribute* attribute);
    bool value(Attribute* attribute);
    // At the next byte that is white space or the one given.
    void skipToSpaceOr(char end);

    const QByteArray m_bytes;
    int m_at = 0;
};

bool Prescan::startsWith(const char* text, bool anyCase) const
{
    for (int i = 0; text[i]; ++i) {
        if (m_at + i >= m_bytes.size())
            return false;
        const char c = m_bytes.at(m_at + i);
        if ((anyCase ? lower(c) : c) != text[i])
            return false;
    }
    return true;
}

// A start or end tag: "<", maybe "/", and a letter.
bool Prescan::atTag() const
{
    const int letter = m_at + 1 + int(startsWith("</"));
    return m_bytes.at(m_at) == '<' && letter < m_bytes.size() && isLetter(m_bytes.at(letter));
}

QByteArray Prescan::declared()
{
    for (; m_at < m_bytes.size(); ++m_at) {
        if (startsWith("<!--")) {
            // "<!-->" is a whole comment.
            m_at = m_bytes.indexOf("-->", m_at + 2);
            if (m_at < 0)
                return QByteArray();
            m_at += 2;
        } else if (startsWith("<meta", true) && m_at + 5 < m_bytes.size()
            && (isSpace(m_bytes.at(m_at + 5)) || m_bytes.at(m_at + 5) == '/')) {
            m_at += 5;
            const QByteArray codec = meta();
            if (!codec.isEmpty())
                return codec;
        } else if (atTag()) {
            skipToSpaceOr('>');
            Attribute skipped;
            while (attribute(&skipped)) { }
        } else if (startsWith("<!") || startsWith("</") || startsWith("<?")) {
            m_at = m_bytes.indexOf('>', m_at + 1);
            if (m_at < 0)
                return QByteArray();
        }
    }
    return QByteArray();
}

// A charset attribute declares on its own; a content attribute's charset only
// beside http-equiv="content-type". Only the first of equal names counts.
QByteArray Prescan::meta()
{
    QSet<QByteArray> names;
    bool gotPragma = false;
    bool needPragma = false;
    bool charsetSet = false;
    QByteArray charset;
    Attribute attribute;
    while (this->attribute(&attribute)) {
        if (names.contains(attribute.name))
            continue;
        names.insert(attribute.name);
        if (attribute.name == "http-equiv") {
            gotPragma = gotPragma || attribute.value == "content-type";
        } else if (attribute.name == "content" && !charsetSet) {
            charset = codecNamed(labelInContent(attribute.value));
            charsetSet = needPragma = !charset.isEmpty();
        } else if (attribute.name == "charset") {
            charset = codecNamed(attribute.value);
            charsetSet = true;
            needPragma = false;
        }
    }
    if (m_at >= m_bytes.size() || (needPragma && !gotPragma))
        return QByteArray();
    return charset;
}

// Names and values in lower case; a value in quotes, or up to white space or ">".
bool Prescan::attribute(Attribute* attribute)
{
    while (m_at < m_bytes.size() && (isSpace(m_bytes.at(m_at)) || m_bytes.at(m_at) == '/'))
        ++m_at;
    *attribute = Attribute();
    for (; m_at < m_bytes.size(); ++m_at) {
        const char c = m_bytes.at(m_at);
        if (c == '>' && attribute->name.isEmpty())
            return false;
        if (c == '=' && !attribute->name.isEmpty())
            break;
        if (isSpace(c)) {
            while (m_at < m_bytes.size() && isSpace(m_bytes.at(m_at)))
                ++m_at;
            if (m_at < m_bytes.size() && m_bytes.at(m_at) != '=')
                return true;
            break;
        }
        if (c == '/' || c == '>')
            return true;
        attribute->name += lower(c);
    }
    if (m_at >= m_bytes.size())
        return false;
    ++m_at;
    return value(attribute);
}

bool Prescan::value(Attribute* attribute)
{
    while (m_at < m_bytes.size() && isSpace(m_bytes.at(m_at)))
        ++m_at;
    if (m_at >= m_bytes.size())
        return false;
    const char quote = m_bytes.at(m_at);
    if (quote == '"' || quote == '\'') {
        const int end = m_bytes.indexOf(quote, m_at + 1);
        if (end < 0)
            return false;
        for (++m_at; m_at < end; ++m_at)
            attribute->value += lower(m_bytes.at(m_at));
        ++m_at;
        return true;
    }
    if (quote == '>')
        return true;
    const int start = m_at;
    skipToSpaceOr('>');
    for (int i = start; i < m_at; ++i)
        attribute->value += lower(m_bytes.at(i));
    return m_at < m_bytes.size();
}

void Prescan::skipToSpaceOr(char end)
{
    while (m_at < m_bytes.size() && !isSpace(m_bytes.at(m_at)) && m_bytes.at(m_at) != end)
        ++m_at;
}

} // namespace

QTextCodec* HtmlEncoding::of(const QByteArray& page)
{
    if (QTextCodec* marked = QTextCodec::codecForUtfText(page, nullptr))
        return marked;
    const QByteArray declared = Prescan(page).declared();
    QTextCodec* codec = QTextCodec::codecForName(declared);
    if (codec || replaced.contains(declared))
        return codec;
    return TextEncoding::utf8Or(page, QTextCodec::codecForName("windows-1252"));
}
