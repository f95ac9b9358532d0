#pragma once

#include <QCoreApplication>
#include <QDomDocument>

// Reads a settings export into a DOM document. A streaming reader checks the
// bytes first, since building the DOM recurses once per level of nesting: a
// file that is larger, deeper or holds more elements or attributes than the
// bounds below, whose root is not "Settings", that declares a document type,
// that holds half of a surrogate pair, or that is not well-formed, is refused.
class SettingsDialogReader
{
    Q_DECLARE_TR_FUNCTIONS(SettingsDialogReader)

public:
    static constexpr int maxFileSize = 16 << 20;
    static constexpr int maxDepth = 64;
    static constexpr int maxElements = 100000;
    // A page writes a handful of attributes; parsing costs the square of
    // those of one element, so both are counted before parsing.
    static constexpr int maxAttributesPerElement = 1000;
    static constexpr int maxAttributes = 100000;

    // The document of the bytes; a null document, and the reason in *error,
    // when they are refused.
    static QDomDocument read(const QByteArray& data, QString* error);

private:
    static QString refusal(const QByteArray& data);
    static QString attributeRefusal(const QByteArray& data);
    static QString structureRefusal(const QByteArray& data);
};
