#include "vCardReader.h"

#include "vCardText.h"

namespace {

const QByteArray beginLine = "BEGIN:VCARD";
const QByteArray endLine = "END:VCARD";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// item1.TEL becomes TEL; other group prefixes stay part of the name, and so
// does a prefix without which the line would be the frame of a card.
QByteArray withoutItemPrefix(const QByteArray& line)
{
    const int dot = line.indexOf('.');
    if (dot < 0 || !(line.startsWith("item") || line.startsWith("ITEM")))
        return line;
    bool number = false;
    QString::fromUtf8(line.mid(4, dot - 4)).toInt(&number);
    const QByteArray rest = line.mid(dot + 1);
    return number && !vCardText::isFrameLine(rest) ? rest : line;
}

bool isPhoto(const QByteArray& line)
{
    return withoutItemPrefix(line).left(5).toUpper() == "PHOTO";
}

// Whether the parameters of the line say that its values are
// quoted-printable; a line whose head a fold has cut says no.
bool quotedPrintable(const QByteArray& line)
{
    const QString text = vCardText::decode(line);
    const QString head = text.left(vCardText::headEnd(text));
    const int params = head.indexOf(QLatin1Char(';'));
    return params >= 0
        && vCardText::isQuotedPrintable(vCardParam::fromByteArray(head.mid(params + 1).toUtf8()));
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
    qint64 bytes = 80 + stringBytes(property.name());
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

QList<vCard> vCardReader::read(const QByteArray& text)
{
    vCardReader reader;
    reader.m_budget = maxHeldPerByte * text.size() + maxHeldAtLeast;
    for (int start = 0; start < text.size() && reader.m_held <= reader.m_budget;) {
        int end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        reader.readLine(text.mid(start, end - start));
        start = end + 1;
    }
    reader.endLogicalLine();
    if (reader.m_held <= reader.m_budget)
        return reader.m_cards;
    qWarning("vCard text of %d bytes would take more than %lld bytes to hold; not read.",
        text.size(), reader.m_budget);
    return QList<vCard>();
}

void vCardReader::readLine(QByteArray line)
{
    if (line.endsWith('\r'))
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
    // Cut at a zero byte; the blanks before a name are no part of it.
    const QByteArray cut = raw.left(int(qstrnlen(raw.constData(), uint(raw.size()))));
    const QByteArray line = withoutItemPrefix(cut);
    const QByteArray trimmed = line.trimmed();
    if (trimmed == beginLine && !m_inCard) {
        m_card = vCard();
        m_inCard = true;
        m_version21 = false;
    } else if (trimmed == endLine) {
        if (m_inCard) {
            m_cards.append(m_card);
            m_held += 64;
        }
        m_inCard = false;
    } else if (m_inCard) {
        m_version21 = m_version21 || isVersion21(trimmed);
        int blanks = 0;
        while (blanks < line.size() && isBlank(line.at(blanks)))
            ++blanks;
        const QList<vCardProperty> properties = vCardProperty::fromByteArray(line.mid(blanks));
        for (const vCardProperty& property : properties)
            m_held += heldBytes(property);
        m_card.addProperties(properties);
    }
}
