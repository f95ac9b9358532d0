#include "vCardReader.h"

#include "vCardCharset.h"
#include "vCardText.h"

#include <QCoreApplication>

namespace {

const QByteArray beginLine = "BEGIN:VCARD";
const QByteArray endLine = "END:VCARD";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Calls step with each line of the text, without its line feed, as long as step returns true.
template <typename Step> void forEachLine(const QByteArray& text, Step step)
{
    for (int start = 0; start < text.size();) {
        int end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        if (!step(text.mid(start, end - start)))
            return;
        start = end + 1;
    }
}

int afterBlanks(const QByteArray& line, int i)
{
    while (i < line.size() && isBlank(line.at(i)))
        ++i;
    return i;
}

// Where the name begins after the numbered item groups (item1.) that stand
// before it, in any case; blanks around them are no part of the name.
int itemPrefixEnd(const QByteArray& line)
{
    int start = 0;
    int i = afterBlanks(line, 0);
    while (line.size() - i > 4 && qstrnicmp(line.constData() + i, "item", 4) == 0) {
        const int dot = line.indexOf('.', i);
        bool number = false;
        if (dot > 0)
            QString::fromUtf8(line.mid(i + 4, dot - i - 4)).toInt(&number);
        if (!number)
            break;
        start = i = afterBlanks(line, dot + 1);
    }
    return start;
}

// item1.TEL becomes TEL; other group prefixes stay part of the name, and so
// do the item groups without which the line would be the frame of a card.
QByteArray withoutItemPrefix(const QByteArray& line)
{
    const int start = itemPrefixEnd(line);
    if (start == 0)
        return line;
    const QByteArray rest = line.mid(start);
    return vCardText::isFrameLine(rest) ? line : rest;
}

bool isPhoto(const QByteArray& line)
{
    return line.mid(itemPrefixEnd(line), 5).toUpper() == "PHOTO";
}

// The parameters a head may stand for, at most.
int paramCount(const QByteArray& head)
{
    return head.count(';') + head.count(',');
}

// Whether the parameters of the line say that its values are
// quoted-printable; a line whose head a fold has cut, or that has too many
// parameters to read, says no.
bool quotedPrintable(const QByteArray& line)
{
    const int colon = vCardText::headEnd(line);
    const QByteArray head = colon < 0 ? line : line.left(colon);
    const int params = head.indexOf(';');
    return params >= 0 && paramCount(head) <= vCardReader::maxParts
        && vCardText::isQuotedPrintable(vCardParam::fromByteArray(head.mid(params + 1)));
}

// A property's values as read: their texts, which of their commas separate
// the items of a list, and the value text to write again when the charset
// can't give it back.
struct Values
{
    QStringList texts;
    QBitArray separators;
    QByteArray raw;
};

// Quoted-printable values in a charset that keeps ASCII: escapes are read in
// the encoded text, so that an encoded ";" or "," (=3B, =2C) is part of its
// value or item, and each value is decoded on its own. The commas of the
// text are those of the bytes, in order, unless the charset's letters hold
// comma bytes; then which of them separate is not known and the text read
// is written again. That is the values encoded again, which never end in a
// soft line break.
Values readQuotedPrintable(const QByteArray& valueText, const vCardCharset& charset)
{
    QBitArray separators;
    const QStringList encoded = vCardText::readValues(QString::fromLatin1(valueText), &separators);
    Values values;
    QBitArray byteSeparators;
    QStringList raws;
    bool exact = true;
    int comma = 0;
    int byteComma = 0;
    int textCommas = 0;
    for (const QString& value : encoded) {
        const QByteArray latin = value.toLatin1();
        vCardText::decodedCommas(latin, separators, &comma, &byteSeparators);
        const QByteArray bytes = vCardText::fromQuotedPrintable(latin);
        bool valueExact = false;
        values.texts << charset.decode(bytes, &valueExact);
        textCommas += values.texts.last().count(QLatin1Char(','));
        raws << vCardText::escaped(
            vCardText::toQuotedPrintable(bytes), VC21, byteSeparators, &byteComma);
        exact = exact && valueExact;
    }
    if (textCommas == byteSeparators.size()) {
        values.separators = byteSeparators;
    } else {
        vCardText::appendBits(&values.separators, textCommas, false);
        exact = false;
    }
    if (!exact)
        values.raw = raws.join(QLatin1Char(';')).toLatin1();
    return values;
}

// The values of a value text, decoded from quoted-printable where the
// parameters say so and from the property's charset. A wide charset's
// values are decoded whole before their escapes are read.
Values readValues(const QByteArray& valueText, const QList<vCardParam>& params)
{
    const vCardCharset charset(params);
    const bool quotedPrintable = vCardText::isQuotedPrintable(params);
    if (quotedPrintable && !charset.isWide())
        return readQuotedPrintable(valueText, charset);
    const QByteArray bytes
        = quotedPrintable ? vCardText::fromQuotedPrintable(valueText) : valueText;
    Values values;
    bool exact = false;
    values.texts = vCardText::readValues(charset.decode(bytes, &exact), &values.separators);
    if (!exact)
        values.raw = quotedPrintable ? vCardText::toQuotedPrintable(bytes).toLatin1() : valueText;
    return values;
}

// What reading a line may hold at once, at most: its copies and decoded
// texts, and the property read.
qint64 lineCost(const QByteArray& line, int parts)
{
    return 10 * qint64(line.size()) + 160 * qint64(parts) + 1024;
}

// The bytes a string holds on the heap, near enough.
qint64 stringBytes(const QString& text)
{
    return text.isNull() ? 0 : 48 + 2 * qint64(text.size());
}

// The bytes a property read holds, near enough: its node, its lists and its
// strings.
qint64 heldBytes(const vCardProperty& property)
{
    qint64 bytes = 96 + stringBytes(property.name());
    for (const QString& value : property.values())
        bytes += 8 + stringBytes(value);
    for (const vCardParam& param : property.params())
        bytes += 48 + stringBytes(param.value());
    return bytes;
}

bool isVersion21(const QByteArray& line)
{
    return line.startsWith("VERSION:") && line.mid(8).trimmed() == "2.1";
}

} // namespace

QList<vCard> vCardReader::read(const QByteArray& text, QString* errorText)
{
    vCardReader reader;
    forEachLine(text, [&reader](const QByteArray& line) {
        reader.m_read += line.size() + 1;
        reader.readLine(line);
        return reader.m_error.isEmpty();
    });
    if (reader.m_error.isEmpty())
        reader.endLogicalLine();
    return reader.succeeded(errorText) ? reader.m_cards : QList<vCard>();
}

QList<vCardProperty> vCardReader::readProperties(const QByteArray& text)
{
    vCardReader reader;
    QList<vCardProperty> properties;
    forEachLine(text, [&reader, &properties](const QByteArray& line) {
        reader.m_read += line.size() + 1;
        const QByteArray head = line.left(int(qstrnlen(line.constData(), uint(line.size()))));
        return head != beginLine && head != endLine && reader.readProperty(line, &properties);
    });
    return reader.succeeded(nullptr) ? properties : QList<vCardProperty>();
}

void vCardReader::readLine(QByteArray line)
{
    while (line.endsWith('\r'))
        line.chop(1);
    if (continues(line))
        return;
    endLogicalLine();
    m_line = line;
    m_hasLine = true;
    m_photo = isPhoto(line);
    m_quotedPrintable = -1;
}

// Joins the line to the logical line when it continues it.
bool vCardReader::continues(const QByteArray& line)
{
    if (!m_hasLine)
        return false;
    if (m_line.endsWith('=')) {
        if (m_quotedPrintable < 0)
            m_quotedPrintable = quotedPrintable(m_line);
        if (m_quotedPrintable) {
            m_line.chop(1);
            m_line += line;
            return true;
        }
    }
    if (line.isEmpty() || !isBlank(line.front()))
        return false;
    if (m_photo) {
        while (!m_line.isEmpty() && isBlank(m_line.back()))
            m_line.chop(1);
        m_line += line.simplified();
    } else {
        m_line += m_version21 ? line : line.mid(1);
    }
    return true;
}

void vCardReader::endLogicalLine()
{
    if (m_hasLine)
        readLogicalLine(m_line);
    m_hasLine = false;
}

void vCardReader::readLogicalLine(const QByteArray& raw)
{
    // The frame is read up to a zero byte, and the line end before it; the
    // blanks before a name are no part of it.
    QByteArray cut = raw.left(int(qstrnlen(raw.constData(), uint(raw.size()))));
    while (cut.endsWith('\r'))
        cut.chop(1);
    const QByteArray line = withoutItemPrefix(cut);
    const int nameStart = cut.size() - line.size() + afterBlanks(line, 0);
    const QByteArray trimmed = line.trimmed();
    if (trimmed == beginLine && !m_inCard) {
        m_card = vCard();
        m_inCard = true;
        m_version21 = false;
    } else if (trimmed == endLine) {
        if (m_inCard) {
            m_held += 64;
            if (fits(0))
                m_cards.append(m_card);
        }
        m_inCard = false;
    } else if (m_inCard) {
        m_version21 = m_version21 || isVersion21(trimmed);
        // A second BEGIN line is no property; a value keeps its zero bytes.
        QList<vCardProperty> properties;
        if (cut.mid(nameStart) != beginLine && readProperty(raw.mid(nameStart), &properties))
            m_card.addProperties(properties);
    }
}

// Reads one property line into the list: false, with the text refused, when
// it is beyond the bounds. A line without a colon or a VERSION line adds
// nothing. The head ends at a zero byte; the value text keeps every byte, as
// a wide charset needs.
bool vCardReader::readProperty(const QByteArray& line, QList<vCardProperty>* properties)
{
    const int colon
        = vCardText::headEnd(line.left(int(qstrnlen(line.constData(), uint(line.size())))));
    if (colon < 0)
        return true;
    const QByteArray head = line.left(colon);
    const int nameEnd = head.indexOf(';');
    const QString name = vCardText::decode(nameEnd < 0 ? head : head.left(nameEnd));
    if (name == QLatin1String("VERSION"))
        return true;
    const QByteArray valueText = line.mid(colon + 1);
    const int params = paramCount(head);
    const int valueCount = valueText.count(';') + 1;
    if (params > maxParts || valueCount > maxParts) {
        return refuse(QCoreApplication::translate("vCardReader",
            "A vCard property has more than %1 values or parameters; the text was not read.")
                          .arg(maxParts));
    }
    if (!fits(lineCost(line, params + valueCount)))
        return false;
    const QList<vCardParam> paramList
        = nameEnd < 0 ? QList<vCardParam>() : vCardParam::fromByteArray(head.mid(nameEnd + 1));
    const Values values = readValues(valueText, paramList);
    properties->append(vCardProperty(name, values.texts, paramList, values.separators, values.raw));
    m_held += heldBytes(properties->last()) + values.raw.size() + values.separators.size() / 8;
    return fits(0);
}

// Whether so many bytes more fit in what the text read so far may hold; if
// not, the text is refused.
bool vCardReader::fits(qint64 bytes)
{
    return m_held + bytes <= maxHeldPerByte * m_read + maxHeldAtLeast
        || refuse(QCoreApplication::translate("vCardReader",
            "The vCard text would take more than %1 times its size and %2 MiB to hold; it was "
            "not read.")
                      .arg(maxHeldPerByte)
                      .arg(maxHeldAtLeast >> 20));
}

bool vCardReader::refuse(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

// Whether the text was read; if not, says why, to errorText or else as a warning.
bool vCardReader::succeeded(QString* errorText) const
{
    if (errorText)
        *errorText = m_error;
    else if (!m_error.isEmpty())
        qWarning("%s", qPrintable(m_error));
    return m_error.isEmpty();
}
