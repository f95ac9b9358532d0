#include "vCard.h"

#include "WholeFile.h"
#include "vCardReader.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace {

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
    QList<QByteArray> lines {"BEGIN:VCARD"};
    const QString number = version == VC21 ? QStringLiteral("2.1") : QStringLiteral("3.0");
    lines.append(
        vCardProperty(QStringLiteral("VERSION"), QStringList {number}).toByteArray(version));
    for (const vCardProperty& property : m_properties)
        lines.append(property.toByteArray(version));
    lines.append("END:VCARD");
    return lines.join('\n');
}

bool vCard::saveToFile(const QString& fileName) const
{
    return ZAruri::WholeFile::write(fileName, toByteArray(VC21)).isEmpty();
}

QList<vCard> vCard::fromByteArray(const QByteArray& text, QString* errorText)
{
    return vCardReader::read(text, errorText);
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

QList<vCard> vCard::fromFile(const QString& fileName, QString* errorText)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // Said only when asked: a file that isn't there is no fault of its own.
        if (errorText) {
            *errorText = QCoreApplication::translate("vCard", "%1 can't be opened: %2")
                             .arg(fileName, file.errorString());
        }
        return QList<vCard>();
    }
    // A device such as /dev/zero has no end: read one byte past the limit at most.
    const QByteArray text = file.read(maxFileBytes + 1);
    if (text.size() <= maxFileBytes)
        return fromByteArray(text, errorText);
    const QString error
        = QCoreApplication::translate("vCard", "%1 is larger than %2 bytes; it was not read.")
              .arg(fileName)
              .arg(maxFileBytes);
    if (errorText)
        *errorText = error;
    else
        qWarning("%s", qPrintable(error));
    return QList<vCard>();
}
