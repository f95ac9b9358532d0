#include "vCard.h"

#include <QFile>

#include <algorithm>

namespace {

const QByteArray beginLine = "BEGIN:VCARD";
const QByteArray endLine = "END:VCARD";
// The largest file read: far more than any address book, small enough to read at once.
const qint64 maxFileBytes = qint64(64) << 20;

bool matches(const vCardProperty& property, const QList<vCardParam>& params, bool strict)
{
    const QList<vCardParam> own = property.params();
    if (strict)
        return own == params;
    return std::all_of(params.cbegin(), params.cend(),
        [&own](const vCardParam& param) { return own.contains(param); });
}

// item1.TEL becomes TEL; other group prefixes stay part of the name.
QByteArray withoutItemPrefix(const QByteArray& line)
{
    const int dot = line.indexOf('.');
    if (dot < 0 || !(line.startsWith("item") || line.startsWith("ITEM")))
        return line;
    bool number = false;
    QString::fromUtf8(line.mid(4, dot - 4)).toInt(&number);
    return number ? line.mid(dot + 1) : line;
}

bool isPhoto(const QByteArray& line)
{
    return withoutItemPrefix(line).left(5).toUpper() == "PHOTO";
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A quoted-printable value that ends in "=" goes on in the next line: a
// soft line break.
bool endsInSoftBreak(const QByteArray& line)
{
    const int colon = line.indexOf(':');
    return colon >= 0 && line.endsWith('=')
        && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
}

// The lines without their CR, each folded line joined to the line it
// continues: a line that begins with a space or a tab loses the line break
// and that one character; the line after a soft line break loses only the
// "=" before the break. Folded photo data loses all its white space.
QList<QByteArray> unfolded(const QList<QByteArray>& lines)
{
    QList<QByteArray> joined;
    bool photo = false;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!joined.isEmpty() && endsInSoftBreak(joined.last())) {
            joined.last().chop(1);
            joined.last() += line;
        } else if (joined.isEmpty() || line.isEmpty() || !isBlank(line.front())) {
            photo = isPhoto(line);
            joined.append(line);
        } else if (photo) {
            QByteArray& data = joined.last();
            while (!data.isEmpty() && isBlank(data.back()))
                data.chop(1);
            data += line.simplified();
        } else {
            joined.last() += line.mid(1);
        }
    }
    return joined;
}

} // namespace

vCard::vCard() = default;

vCard::vCard(const QList<vCardProperty>& properties)
    : m_properties(properties)
{
}

vCard::vCard(const vCard& other) = default;

vCard& vCard::operator=(const vCard& other) = default;

vCard::~vCard() = default;

QList<vCardProperty> vCard::properties() const
{
    return m_properties;
}

void vCard::addProperty(const vCardProperty& property)
{
    m_properties.append(property);
}

void vCard::addProperties(const QList<vCardProperty>& properties)
{
    m_properties.append(properties);
}

int vCard::count() const
{
    return m_properties.size();
}

vCardProperty vCard::property(
    const QString& name, const QList<vCardParam>& params, bool strict) const
{
    const int index = indexOf(name, params, strict);
    return index < 0 ? vCardProperty() : m_properties.at(index);
}

bool vCard::contains(const QString& name, const QList<vCardParam>& params, bool strict) const
{
    return indexOf(name, params, strict) >= 0;
}

bool vCard::contains(const vCardProperty& property) const
{
    return m_properties.contains(property);
}

bool vCard::isValid() const
{
    return !m_properties.isEmpty()
        && std::all_of(m_properties.cbegin(), m_properties.cend(),
            [](const vCardProperty& property) { return property.isValid(); });
}

QByteArray vCard::toByteArray(vCardVersion version) const
{
    if (version != VC21 && version != VC30)
        return QByteArray();
    QList<QByteArray> lines {beginLine};
    const QString number = version == VC21 ? QStringLiteral("2.1") : QStringLiteral("3.0");
    lines.append(
        vCardProperty(QStringLiteral("VERSION"), QStringList {number}).toByteArray(version));
    for (const vCardProperty& property : m_properties)
        lines.append(property.toByteArray(version));
    lines.append(endLine);
    return lines.join('\n');
}

bool vCard::saveToFile(const QString& fileName) const
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = toByteArray(VC21);
    const bool written = file.write(text) == text.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

QList<vCard> vCard::fromByteArray(const QByteArray& text)
{
    QList<vCard> cards;
    vCard card;
    bool inCard = false;
    const QList<QByteArray> lines = unfolded(text.split('\n'));
    for (const QByteArray& raw : lines) {
        // Cut at a zero byte before the white space goes, so that none is left at the end.
        QByteArray line
            = withoutItemPrefix(raw.left(int(qstrnlen(raw.constData(), uint(raw.size())))))
                  .simplified();
        // A soft line break at the end of the value breaks nothing: it goes,
        // so that the value does not end in one when written again.
        while (endsInSoftBreak(line))
            line = line.left(line.size() - 1).trimmed();
        if (line == beginLine && !inCard) {
            card = vCard();
            inCard = true;
        } else if (line == endLine) {
            if (inCard)
                cards.append(card);
            inCard = false;
        } else if (inCard) {
            card.addProperties(vCardProperty::fromByteArray(line));
        }
    }
    return cards;
}

int vCard::indexOf(const QString& name, const QList<vCardParam>& params, bool strict) const
{
    for (int i = 0; i < m_properties.size(); ++i) {
        const vCardProperty& candidate = m_properties.at(i);
        if (candidate.name() == name && matches(candidate, params, strict))
            return i;
    }
    return -1;
}

QList<vCard> vCard::fromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QList<vCard>();
    // A device such as /dev/zero has no end: read one byte past the limit at most.
    const QByteArray text = file.read(maxFileBytes + 1);
    if (text.size() > maxFileBytes) {
        qWarning("vCard file %s is larger than %lld bytes; not read.", qPrintable(fileName),
            maxFileBytes);
        return QList<vCard>();
    }
    return fromByteArray(text);
}
