#pragma once

#include <QCoreApplication>
#include <QDomDocument>
#include <QXmlStreamReader>

// Reads a settings export into a DOM document. A streaming reader checks the
// bytes first, so that a refused file costs no node: a file that is larger,
// deeper or holds more elements, attributes, comments or processing
// instructions than the bounds below, whose root is not "Settings", that
// declares a document type, that holds a character XML cannot hold, or that is
// not well-formed, is refused. A second pass builds the document.
//
// White space is a value like any other: written as it is, it is the text of
// an element that holds nothing else; between other nodes it is the file's
// indentation and is left out. White space given by references or CDATA is
// always text.
class SettingsDialogReader
{
    Q_DECLARE_TR_FUNCTIONS(SettingsDialogReader)

public:
    static constexpr int maxFileSize = 16 << 20;
    static constexpr int maxDepth = 64;
    static constexpr int maxElements = 100000;
    // Comments and processing instructions, which cost a node each as elements do.
    static constexpr int maxOtherNodes = 100000;
    // A page writes a handful of attributes; parsing costs the square of
    // those of one element, so both are counted before parsing.
    static constexpr int maxAttributesPerElement = 1000;
    static constexpr int maxAttributes = 100000;

    // The document of the bytes; a null document, and the reason in *error,
    // when they are refused.
    static QDomDocument read(const QByteArray& data, QString* error);

    // The first character of the text that XML cannot hold (a control
    // character other than tab, line feed and carriage return, U+FFFE, U+FFFF
    // or half of a surrogate pair), or -1 when it holds none.
    static int unholdableCharacter(QStringView text);
    // The character's code as "U+0001".
    static QString codeOf(int character);

private:
    explicit SettingsDialogReader(const QByteArray& data);

    static QString attributeRefusal(const QByteArray& data);
    static QString structureRefusal(const QByteArray& data);
    static QString tokenRefusal(
        const QXmlStreamReader& reader, QXmlStreamReader::TokenType token, int depth);
    void build();
    void add(QXmlStreamReader::TokenType token);
    void append(const QDomNode& node);
    void startElement();
    void endElement();
    void characters();

    QXmlStreamReader m_reader;
    QDomDocument m_document;
    // The element being read, or the document outside the root.
    QDomNode m_current;
    // White space written as it is since the last node of the current element.
    QString m_blanks;
};
