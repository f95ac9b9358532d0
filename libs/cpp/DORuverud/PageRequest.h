#pragma once

#include "HelperChannel.h"
#include "TextEditDocument.h"

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QUrl>

class QTextDocument;

// What the editor asks its page helper to try (PageTrial, PageLayout): the
// bytes of a file read as HTML, laid out alone; or those of a rich paste,
// laid out in the document it lands in, as it stands with the paste at the
// cursor; each in the editor's font, laid out whole at the narrowest text
// width the window takes, where its layout costs the most. The helper keeps
// the document of its last trial, so that the next paste lands in it; when
// it keeps another, the document travels with the paste. And the messages
// of a trial.
struct PageRequest
{
    // Program to helper: the request, its bytes as a file (a page's or a
    // paste's; for a paste with the document it lands in, in Qt's data
    // stream, the document's HTML, the names and sizes of the pictures it
    // shows, then the paste's bytes), and a file of maxNamesBytes for the
    // names of its pictures.
    static constexpr char Page = HelperChannel::firstJobKind;
    // Helper to program: how many bytes of that file hold the names of the
    // pictures whose size the layout needs, at most maxNames.
    static constexpr char Pictures = Page + 1;
    // Program to helper: their sizes, as a file.
    static constexpr char Sizes = Page + 2;
    // Helper to program: the height laid out and the time it took.
    static constexpr char Measured = Page + 3;
    // Helper to program: why its reader refused the page.
    static constexpr char Refused = Page + 4;
    // Helper to program: it keeps no document the paste lands in.
    static constexpr char NoDocument = Page + 5;
    // Helper to program, once for a file's page, before it measures: it
    // built the page, with the sizes of its pictures, and lays it out now.
    static constexpr char Built = Page + 6;

    // The pictures a page names that its layout sizes: no more than a
    // document reads (those after show as missing), and the bytes of their
    // names, each up to a page of the reader's 4 MiB in UTF-16.
    static constexpr int maxNames = TextEditDocument::maxPictures;
    static constexpr qint64 maxNamesBytes = qint64(12) << 20;
    // The characters of a document a paste is tried in, whose HTML the
    // program writes, in half a second or so, and the helper reads back: a
    // file's; and the bytes of that HTML with its pictures' names and sizes.
    static constexpr int maxDocumentCharacters = 4 << 20;
    static constexpr qint64 maxDocumentBytes = qint64(256) << 20;

    enum class Source : qint8 {
        // A file's bytes, read as its name says.
        File,
        // A paste's HTML, or Qt's own rich text.
        Html,
        QtRichText,
    };

    // Where a position stands in a document's text: after that many
    // characters other than paragraph ends, and then that many paragraph
    // ends, so that it stands at the same text in a document rebuilt from
    // HTML, which may part paragraphs otherwise.
    struct Spot
    {
        qint32 characters = 0;
        qint32 paragraphEnds = 0;
    };

    // The text width a page is laid out at where the screen takes the
    // editor's own narrowest width.
    static constexpr int width = 400;

    Source source = Source::File;
    QString fileName;
    QFont font;
    // The font the program's platform shows code in.
    QFont fixedFont;
    int textWidth = width;
    // The document the helper keeps once it tried this one; for a paste,
    // the one it lands in, kept before, or 0 when it travels with the paste.
    quint64 keptAs = 0;
    quint64 landsIn = 0;
    // The base of a document that travels, which resolves the names of its
    // pictures.
    QUrl base;
    // A paste replaces the selection from anchor to position; on a
    // drag-move within the document, the moved selection goes first.
    Spot anchor;
    Spot position;
    Spot movedAnchor;
    Spot movedPosition;

    // The address a document's picture of that name is asked for under,
    // before the document's base resolves it, as Qt's layout asks for it.
    static QUrl pictureUrl(const QString& name);
    // The spots of positions of the document, in order.
    static QVector<Spot> spotsOf(const QTextDocument& document, const QVector<int>& positions);
    // The position at the spot, or as near as the document has one.
    static int positionAt(const QTextDocument& document, Spot spot);

    // All but the bytes, which travel apart.
    QByteArray toMessage() const;
    // False for what is no request.
    bool fromMessage(const QByteArray& message);
};
