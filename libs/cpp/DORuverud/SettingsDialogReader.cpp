#include "SettingsDialogReader.h"

#include <QXmlStreamReader>

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

// The first character of the token's names and text that XML cannot hold,
// or -1. The streaming reader refuses most of them itself, but not in the
// name of an attribute, nor half of a surrogate pair in a UTF-16 file.
int unholdableInToken(const QXmlStreamReader& reader)
{
    int found = -1;
    const auto check = [&found](QStringView text) {
        if (found < 0)
            found = SettingsDialogReader::unholdableCharacter(text);
    };
    check(reader.qualifiedName());
    check(reader.text());
    check(reader.processingInstructionTarget());
    check(reader.processingInstructionData());
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute& attribute : attributes) {
        check(attribute.qualifiedName());
        check(attribute.value());
    }
    const QXmlStreamNamespaceDeclarations declarations = reader.namespaceDeclarations();
    for (const QXmlStreamNamespaceDeclaration& declaration : declarations) {
        check(declaration.prefix());
        check(declaration.namespaceUri());
    }
    return found;
}

} // namespace

QDomDocument SettingsDialogReader::read(const QByteArray& data, QString* error)
{
    *error = data.size() > maxFileSize ? tr("It is larger than %1 MiB.").arg(maxFileSize >> 20)
                                       : attributeRefusal(data);
    if (error->isEmpty())
        *error = structureRefusal(data);
    if (!error->isEmpty())
        return QDomDocument();
    SettingsDialogReader reader(data);
    reader.build();
    return reader.m_document;
}

int SettingsDialogReader::unholdableCharacter(QStringView text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const ushort code = c.unicode();
        if ((code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code >= 0xfffe
            || c.isSurrogate())
            return code;
    }
    return -1;
}

QString SettingsDialogReader::codeOf(int character)
{
    return QStringLiteral("U+%1").arg(character, 4, 16, QLatin1Char('0')).toUpper();
}

SettingsDialogReader::SettingsDialogReader(const QByteArray& data)
    : m_reader(data)
    , m_document(QString())
    , m_current(m_document)
{
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

// A pass of the streaming reader alone, so that a refused file costs no node.
QString SettingsDialogReader::structureRefusal(const QByteArray& data)
{
    QXmlStreamReader reader(data);
    int depth = 0;
    int elements = 0;
    int otherNodes = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        const QString refusal = tokenRefusal(reader, token, depth);
        if (!refusal.isEmpty())
            return refusal;
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (++elements > maxElements)
                return tr("It holds more than %1 elements.").arg(maxElements);
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if ((token == QXmlStreamReader::Comment
                       || token == QXmlStreamReader::ProcessingInstruction)
            && ++otherNodes > maxOtherNodes) {
            return tr("It holds more than %1 comments and processing instructions.")
                .arg(maxOtherNodes);
        }
    }
    if (reader.hasError())
        return tr("It is not well-formed XML: %1 (line %2, column %3).")
            .arg(reader.errorString())
            .arg(reader.lineNumber())
            .arg(reader.columnNumber());
    return QString();
}

// What refuses the token wherever it stands, inside elements nested depth deep.
QString SettingsDialogReader::tokenRefusal(
    const QXmlStreamReader& reader, QXmlStreamReader::TokenType token, int depth)
{
    const int unholdable = unholdableInToken(reader);
    if (unholdable >= 0)
        return (QChar::isSurrogate(uint(unholdable))
                ? tr("It holds half of a surrogate pair, which is not Unicode text (line "
                     "%1, column %2).")
                : tr("It holds %1, which XML cannot hold (line %2, column %3).")
                      .arg(codeOf(unholdable)))
            .arg(reader.lineNumber())
            .arg(reader.columnNumber());
    if (token == QXmlStreamReader::DTD)
        return tr("It declares a document type, which settings files never do.");
    if (token != QXmlStreamReader::StartElement)
        return QString();
    if (depth == 0 && reader.qualifiedName() != rootTag)
        return tr("Its root element is <%1>, not <%2>: it is not a settings export.")
            .arg(reader.qualifiedName(), rootTag);
    return depth == maxDepth ? tr("Its elements nest more than %1 deep.").arg(maxDepth) : QString();
}

// The bytes passed the checks: a pass that builds the document.
void SettingsDialogReader::build()
{
    while (!m_reader.atEnd())
        add(m_reader.readNext());
}

void SettingsDialogReader::add(QXmlStreamReader::TokenType token)
{
    switch (token) {
    case QXmlStreamReader::StartElement:
        startElement();
        break;
    case QXmlStreamReader::EndElement:
        endElement();
        break;
    case QXmlStreamReader::Characters:
        characters();
        break;
    case QXmlStreamReader::Comment:
        append(m_document.createComment(m_reader.text().toString()));
        break;
    case QXmlStreamReader::ProcessingInstruction:
        append(m_document.createProcessingInstruction(
            m_reader.processingInstructionTarget().toString(),
            m_reader.processingInstructionData().toString()));
        break;
    default:
        break;
    }
}

// Any node but white space makes the white space before it indentation.
void SettingsDialogReader::append(const QDomNode& node)
{
    m_blanks.clear();
    m_current.appendChild(node);
}

void SettingsDialogReader::startElement()
{
    QDomElement element = m_document.createElement(m_reader.qualifiedName().toString());
    const QXmlStreamAttributes attributes = m_reader.attributes();
    for (const QXmlStreamAttribute& attribute : attributes)
        element.setAttribute(attribute.qualifiedName().toString(), attribute.value().toString());
    // The reader gives namespace declarations apart; they stay attributes, so
    // that the element's prefixes are declared when it is written again.
    const QXmlStreamNamespaceDeclarations declarations = m_reader.namespaceDeclarations();
    for (const QXmlStreamNamespaceDeclaration& declaration : declarations) {
        const QString prefix = declaration.prefix().toString();
        element.setAttribute(prefix.isEmpty() ? QStringLiteral("xmlns") : "xmlns:" + prefix,
            declaration.namespaceUri().toString());
    }
    append(element);
    m_current = element;
}

void SettingsDialogReader::endElement()
{
    if (!m_current.hasChildNodes() && !m_blanks.isEmpty())
        m_current.appendChild(m_document.createTextNode(m_blanks));
    m_blanks.clear();
    m_current = m_current.parentNode();
}

// The reader tells white space written as it is from white space given by
// references or CDATA.
void SettingsDialogReader::characters()
{
    const QString text = m_reader.text().toString();
    if (m_reader.isCDATA())
        append(m_document.createCDATASection(text));
    else if (m_reader.isWhitespace())
        m_blanks += text;
    else
        append(m_document.createTextNode(text));
}
