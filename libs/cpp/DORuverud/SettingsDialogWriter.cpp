#include "SettingsDialogWriter.h"

#include "SettingsDialogReader.h"

#include <QVector>
#include <QXmlStreamWriter>

#include <algorithm>
#include <functional>

namespace {

bool isXmlWhiteSpace(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r');
    });
}

// Text and CDATA go out so that a reader gives them back as they are: a
// carriage return as a reference, since a reader takes it for a line end, and
// text of white space alone as references, since a reader takes white space
// written as it is between nodes for indentation.
void writeCharacters(QXmlStreamWriter& writer, const QString& text, bool cdata)
{
    const bool blank = !cdata && isXmlWhiteSpace(text);
    QString piece;
    const auto writePiece = [&writer, &piece, cdata] {
        if (!piece.isEmpty())
            cdata ? writer.writeCDATA(piece) : writer.writeCharacters(piece);
        piece.clear();
    };
    for (const QChar c : text) {
        if (blank || c == QLatin1Char('\r')) {
            writePiece();
            writer.writeEntityReference(QLatin1Char('#') + QString::number(c.unicode()));
        } else {
            piece += c;
        }
    }
    writePiece();
}

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

void writeNode(QXmlStreamWriter& writer, const QDomNode& node)
{
    switch (node.nodeType()) {
    case QDomNode::ElementNode:
        writeElement(writer, node.toElement());
        break;
    case QDomNode::TextNode:
        writeCharacters(writer, node.nodeValue(), false);
        break;
    case QDomNode::CDATASectionNode:
        writeCharacters(writer, node.nodeValue(), true);
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

// The text of the run of text and CDATA nodes that starts at the node: a
// reader gives such a run back as one piece, or as none when it is empty.
QString runText(QDomNode node)
{
    QString text;
    for (; node.isText(); node = node.nextSibling())
        text += node.nodeValue();
    return text;
}

// The children of the node as a reader gives them back: each text run by its
// first node.
QVector<QDomNode> readableChildren(const QDomNode& parent)
{
    QVector<QDomNode> children;
    for (QDomNode child = parent.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isText() || !runText(child).isEmpty())
            children << child;
        while (child.isText() && child.nextSibling().isText())
            child = child.nextSibling();
    }
    return children;
}

QDomNode firstDifference(const QDomNode& given, const QDomNode& back);

// The first attribute of the given element that the element read back lacks
// or holds otherwise; the element when it has others besides.
QDomNode attributeDifference(const QDomElement& given, const QDomElement& back)
{
    const QDomNamedNodeMap attributes = given.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        if (!back.hasAttribute(attribute.name())
            || back.attribute(attribute.name()) != attribute.value())
            return attribute;
    }
    return attributes.count() == back.attributes().count() ? QDomNode() : QDomNode(given);
}

QDomNode nodeDifference(const QDomNode& given, const QDomNode& back)
{
    if (given.isText() || back.isText())
        return given.isText() && back.isText() && runText(given) == runText(back) ? QDomNode()
                                                                                  : given;
    if (given.nodeType() != back.nodeType() || given.nodeName() != back.nodeName()
        || given.nodeValue() != back.nodeValue())
        return given;
    if (!given.isElement())
        return QDomNode();
    const QDomNode attribute = attributeDifference(given.toElement(), back.toElement());
    return attribute.isNull() ? firstDifference(given, back) : attribute;
}

// The first node or attribute below the given node that reads back otherwise
// than given; the given node itself when what was read back holds more; null
// when all reads back the same. The walk goes no deeper than the reader read.
QDomNode firstDifference(const QDomNode& given, const QDomNode& back)
{
    const QVector<QDomNode> givenChildren = readableChildren(given);
    const QVector<QDomNode> backChildren = readableChildren(back);
    for (int i = 0; i < givenChildren.size(); ++i) {
        const QDomNode difference = i < backChildren.size()
            ? nodeDifference(givenChildren.at(i), backChildren.at(i))
            : givenChildren.at(i);
        if (!difference.isNull())
            return difference;
    }
    return givenChildren.size() == backChildren.size() ? QDomNode() : given;
}

// The first character of the node's name or value that XML cannot hold, or -1.
int unholdableCharacter(const QDomNode& node)
{
    const int inName = SettingsDialogReader::unholdableCharacter(node.nodeName());
    return inName < 0 ? SettingsDialogReader::unholdableCharacter(node.nodeValue()) : inName;
}

// The node or attribute of the given element that holds a character XML
// cannot hold; null when none does.
QDomNode unwritableIn(const QDomNode& node)
{
    if (unholdableCharacter(node) >= 0)
        return node;
    const QDomNamedNodeMap attributes = node.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        if (unholdableCharacter(attributes.item(i)) >= 0)
            return attributes.item(i);
    }
    return QDomNode();
}

// The first node or attribute below the node that holds a character XML
// cannot hold, which a writer would leave out or write as it is; null when
// none does. Walks without recursion, however deep the pages nest.
QDomNode firstUnwritable(const QDomNode& top)
{
    QDomNode node = top.firstChild();
    while (!node.isNull()) {
        const QDomNode unwritable = unwritableIn(node);
        if (!unwritable.isNull())
            return unwritable;
        if (node.hasChildNodes()) {
            node = node.firstChild();
            continue;
        }
        while (node.nextSibling().isNull() && node != top)
            node = node.parentNode();
        node = node == top ? QDomNode() : node.nextSibling();
    }
    return QDomNode();
}

// The element a page wrote that holds the node; null above the pages.
QDomElement pageOf(QDomNode node)
{
    if (node.isAttr())
        node = node.toAttr().ownerElement();
    while (!node.isNull() && !node.parentNode().parentNode().isDocument())
        node = node.parentNode();
    return node.toElement();
}

// The title of the tab whose page wrote the element, by its place below the
// root; its tag where no title is given.
QString titleOf(const QDomElement& page, const QStringList& titles)
{
    int index = 0;
    for (QDomElement before = page.previousSiblingElement(); !before.isNull();
         before = before.previousSiblingElement())
        ++index;
    return titles.value(index, page.tagName());
}

} // namespace

QByteArray SettingsDialogWriter::write(
    const QDomDocument& document, const QStringList& titles, QString* error)
{
    const QDomNode unwritable = firstUnwritable(document);
    if (!unwritable.isNull()) {
        *error = refusal(unwritable, titles,
            tr("%1 holds %2, which a settings file cannot hold.")
                .arg(fieldName(unwritable),
                    SettingsDialogReader::codeOf(unholdableCharacter(unwritable))));
        return QByteArray();
    }
    const QByteArray bytes
        = serialised([&document](QXmlStreamWriter& writer) { writeChildren(writer, document); });
    *error = readBackRefusal(document, titles, bytes);
    return error->isEmpty() ? bytes : QByteArray();
}

// Compares what the bytes read back as with the document given, not with
// the bytes, which may already lack what was given.
QString SettingsDialogWriter::readBackRefusal(
    const QDomDocument& document, const QStringList& titles, const QByteArray& bytes)
{
    QString error;
    const QDomDocument again = SettingsDialogReader::read(bytes, &error);
    if (!error.isEmpty()) {
        const QString page = pageRefusal(document, titles);
        return page.isEmpty() ? error : page;
    }
    const QDomNode difference = firstDifference(document, again);
    return difference.isNull()
        ? QString()
        : refusal(difference, titles, tr("%1 would change.").arg(fieldName(difference)));
}

// The refusal that names the tab of the node's page, and why.
QString SettingsDialogWriter::refusal(
    const QDomNode& node, const QStringList& titles, const QString& reason)
{
    const QDomElement page = pageOf(node);
    return page.isNull() ? tr("The settings would not read back as they are.")
                         : tr("The settings of the tab \"%1\" would not read back as they are: %2")
                               .arg(titleOf(page, titles), reason);
}

// An attribute by its name and element; anything else by the element that
// holds it, or is it.
QString SettingsDialogWriter::fieldName(const QDomNode& node)
{
    if (node.isAttr())
        return tr("the field \"%1\" of \"%2\"")
            .arg(node.nodeName(), node.toAttr().ownerElement().tagName());
    return tr("the field \"%1\"")
        .arg(node.isElement() ? node.nodeName() : node.parentNode().nodeName());
}

// Names the tab of the first element below the root that the reader refuses
// alone, since a page writes one such element; empty when it refuses none.
QString SettingsDialogWriter::pageRefusal(const QDomDocument& document, const QStringList& titles)
{
    const QDomElement root = document.documentElement();
    for (QDomElement element = root.firstChildElement(); !element.isNull();
         element = element.nextSiblingElement()) {
        const QByteArray alone = serialised([&root, &element](QXmlStreamWriter& writer) {
            writer.writeStartElement(root.tagName());
            writeNode(writer, element);
            writer.writeEndElement();
        });
        QString error;
        SettingsDialogReader::read(alone, &error);
        if (!error.isEmpty())
            return tr("The settings of the tab \"%1\" would not read back as they are.")
                .arg(titleOf(element, titles));
    }
    return QString();
}
