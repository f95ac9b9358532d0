#include "SettingsDialogReader.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QString rootTag = QStringLiteral("Settings");

// Where the markup that starts at from ends: just past the closing text, or
// the end of the data.
int skipPast(const QByteArray& data, int from, const char* closing)
{
    const int end = data.indexOf(closing, from);
    return end < 0 ? data.size() : end + int(qstrlen(closing));
}

// The attributes of the start tag at from (just past its "<"): one "="
// outside quotes each. *end is set just past the tag.
int attributesOfTag(const QByteArray& data, int from, int* end)
{
    int count = 0;
    char quote = 0;
    int i = from;
    for (; i < data.size(); ++i) {
        const char c = data.at(i);
        if (quote)
            quote = c == quote ? 0 : quote;
        else if (c == '"' || c == '\'')
            quote = c;
        else if (c == '=')
            ++count;
        else if (c == '>')
            break;
    }
    *end = i + 1;
    return count;
}

// Whether the names and the text of the reader's token are valid Unicode: a
// UTF-16 file may hold half of a surrogate pair, which no export can write.
bool isValidUnicode(const QXmlStreamReader& reader)
{
    const auto valid = [](QStringView text) { return text.isValidUtf16(); };
    const QXmlStreamAttributes attributes = reader.attributes();
    return valid(reader.qualifiedName()) && valid(reader.text())
        && valid(reader.processingInstructionTarget()) && valid(reader.processingInstructionData())
        && std::all_of(
            attributes.cbegin(), attributes.cend(), [valid](const QXmlStreamAttribute& attribute) {
                return valid(attribute.qualifiedName()) && valid(attribute.value());
            });
}

} // namespace

QDomDocument SettingsDialogReader::read(const QByteArray& data, QString* error)
{
    *error = refusal(data);
    QDomDocument document;
    if (!error->isEmpty())
        return document;
    QXmlStreamReader reader(data);
    if (!document.setContent(&reader, false, error))
        return QDomDocument();
    return document;
}

QString SettingsDialogReader::refusal(const QByteArray& data)
{
    if (data.size() > maxFileSize)
        return tr("It is larger than %1 MiB.").arg(maxFileSize >> 20);
    const QString attributes = attributeRefusal(data);
    return attributes.isEmpty() ? structureRefusal(data) : attributes;
}

// A lexical pass over the markup, since the streaming reader's check for
// repeated attribute names is quadratic. It stops at a declaration other
// than a comment or CDATA, which the streaming reader refuses.
QString SettingsDialogReader::attributeRefusal(const QByteArray& data)
{
    int total = 0;
    for (int i = data.indexOf('<'); i >= 0 && i < data.size(); i = data.indexOf('<', i)) {
        const auto startsWith = [&data, i](const char* text) {
            return qstrncmp(data.constData() + i, text, qstrlen(text)) == 0;
        };
        if (startsWith("<!--")) {
            i = skipPast(data, i + 4, "-->");
        } else if (startsWith("<![CDATA[")) {
            i = skipPast(data, i + 9, "]]>");
        } else if (startsWith("<?")) {
            i = skipPast(data, i + 2, "?>");
        } else if (startsWith("<!")) {
            break;
        } else {
            const int count = attributesOfTag(data, i + 1, &i);
            if (count > maxAttributesPerElement)
                return tr("An element holds more than %1 attributes.").arg(maxAttributesPerElement);
            if ((total += count) > maxAttributes)
                return tr("It holds more than %1 attributes.").arg(maxAttributes);
        }
    }
    return QString();
}

QString SettingsDialogReader::structureRefusal(const QByteArray& data)
{
    QXmlStreamReader reader(data);
    int depth = 0;
    int elements = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (!isValidUnicode(reader))
            return tr("It holds half of a surrogate pair, which is not Unicode text (line %1, "
                      "column %2).")
                .arg(reader.lineNumber())
                .arg(reader.columnNumber());
        switch (token) {
        case QXmlStreamReader::DTD:
            return tr("It declares a document type, which settings files never do.");
        case QXmlStreamReader::StartElement:
            if (depth == 0 && reader.qualifiedName() != rootTag)
                return tr("Its root element is <%1>, not <%2>: it is not a settings export.")
                    .arg(reader.qualifiedName(), rootTag);
            if (++depth > maxDepth)
                return tr("Its elements nest more than %1 deep.").arg(maxDepth);
            if (++elements > maxElements)
                return tr("It holds more than %1 elements.").arg(maxElements);
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return tr("It is not well-formed XML: %1 (line %2, column %3).")
            .arg(reader.errorString())
            .arg(reader.lineNumber())
            .arg(reader.columnNumber());
    return QString();
}
