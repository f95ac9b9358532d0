#include "SettingsDialogWriter.h"

#include <QVector>
#include <QXmlStreamWriter>

#include <algorithm>

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

} // namespace

QByteArray SettingsDialogWriter::write(const QDomDocument& document)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writeChildren(writer, document);
    writer.writeEndDocument();
    // Without a declaration, the line break the writer puts before the root is not wanted.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    return bytes;
}
