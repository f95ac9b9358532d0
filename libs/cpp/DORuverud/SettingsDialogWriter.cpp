#include "SettingsDialogWriter.h"

#include "SettingsDialogReader.h"

#include <QVector>
#include <QXmlStreamWriter>

#include <algorithm>
#include <functional>

namespace {

void writeNode(QXmlStreamWriter& writer, const QDomNode& node);

void writeChildren(QXmlStreamWriter& writer, const QDomNode& node)
{
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
        writeNode(writer, child);
}

void writeElement(QXmlStreamWriter& writer, const QDomElement& element)
{
    writer.writeStartElement(element.tagName());
    const QDomNamedNodeMap attributes = element.attributes();
    QVector<QDomAttr> sorted;
    for (int i = 0; i < attributes.count(); ++i)
        sorted << attributes.item(i).toAttr();
    std::sort(sorted.begin(), sorted.end(),
        [](const QDomAttr& a, const QDomAttr& b) { return a.name() < b.name(); });
    for (const QDomAttr& attribute : qAsConst(sorted))
        writer.writeAttribute(attribute.name(), attribute.value());
    writeChildren(writer, element);
    writer.writeEndElement();
}

// A carriage return goes out as a reference: written as it is, a reader
// would take it for a line end.
void writeText(QXmlStreamWriter& writer, const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('\r'));
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            writer.writeEntityReference(QStringLiteral("#13"));
        if (!pieces.at(i).isEmpty())
            writer.writeCharacters(pieces.at(i));
    }
}

void writeNode(QXmlStreamWriter& writer, const QDomNode& node)
{
    switch (node.nodeType()) {
    case QDomNode::ElementNode:
        writeElement(writer, node.toElement());
        break;
    case QDomNode::TextNode:
        writeText(writer, node.nodeValue());
        break;
    case QDomNode::CDATASectionNode:
        writer.writeCDATA(node.nodeValue());
        break;
    case QDomNode::CommentNode:
        writer.writeComment(node.nodeValue());
        break;
    case QDomNode::ProcessingInstructionNode:
        writer.writeProcessingInstruction(
            node.toProcessingInstruction().target(), node.toProcessingInstruction().data());
        break;
    default:
        writeChildren(writer, node);
        break;
    }
}

// The document's children but the XML declaration of a file it was read from,
// which names that file's encoding.
void writeDocument(QXmlStreamWriter& writer, const QDomDocument& document)
{
    for (QDomNode child = document.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isProcessingInstruction()
            || child.toProcessingInstruction().target() != QLatin1String("xml"))
            writeNode(writer, child);
    }
}

// The nodes in the document form, each written by the given function.
QByteArray serialised(const std::function<void(QXmlStreamWriter&)>& write)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    write(writer);
    writer.writeEndDocument();
    // Without a declaration, the line break the writer puts before the root is not wanted.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    return bytes;
}

QByteArray serialised(const QDomDocument& document)
{
    return serialised([&document](QXmlStreamWriter& writer) { writeDocument(writer, document); });
}

// Whether the bytes read back as a document that writes as the same bytes.
bool readsBack(const QByteArray& bytes, QString* error)
{
    const QDomDocument again = SettingsDialogReader::read(bytes, error);
    return error->isEmpty() && serialised(again) == bytes;
}

} // namespace

QByteArray SettingsDialogWriter::write(const QDomDocument& document, QString* error)
{
    const QByteArray bytes = serialised(document);
    *error = readBackRefusal(document, bytes);
    return error->isEmpty() ? bytes : QByteArray();
}

// Names the first element below the root that does not read back alone,
// since a page writes one such element; else the reader's reason.
QString SettingsDialogWriter::readBackRefusal(const QDomDocument& document, const QByteArray& bytes)
{
    QString error;
    if (readsBack(bytes, &error))
        return QString();
    const QDomElement root = document.documentElement();
    for (QDomElement element = root.firstChildElement(); !element.isNull();
         element = element.nextSiblingElement()) {
        QString ignored;
        const QByteArray alone = serialised([&root, &element](QXmlStreamWriter& writer) {
            writer.writeStartElement(root.tagName());
            writeNode(writer, element);
            writer.writeEndElement();
        });
        if (!readsBack(alone, &ignored))
            return tr("The settings of <%1> would not read back as they are.")
                .arg(element.tagName());
    }
    return error.isEmpty() ? tr("The settings would not read back as they are.") : error;
}
