#pragma once

#include "HelperChannel.h"
#include "TextEditDocument.h"

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QUrl>

// A page the editor asks its page helper to try (PageTrial, PageLayout):
// the bytes of a file read as HTML, or of a rich paste, in the editor's
// font, laid out at the narrowest text width the editor allows for, where
// its layout costs the most; and the messages of a trial.
struct PageRequest
{
    // Program to helper: the request, the page's bytes as a file, and a file
    // of maxNamesBytes for the names of its pictures.
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

    // The pictures a page names that its layout sizes: no more than a
    // document reads (those after show as missing), and the bytes of their
    // names, each up to a page of the reader's 4 MiB in UTF-16.
    static constexpr int maxNames = TextEditDocument::maxPictures;
    static constexpr qint64 maxNamesBytes = qint64(12) << 20;

    enum class Source : qint8 {
        // A file's bytes, read as its name says.
        File,
        // A paste's HTML, or Qt's own rich text.
        Html,
        QtRichText,
    };

    // The text width a page is laid out at.
    static constexpr int width = 400;

    Source source = Source::File;
    QString fileName;
    QFont font;
    // A paste is laid out inside as many tables as stand around the place
    // it lands in, since each table around it lays it out again.
    int tables = 0;

    // The address a document's picture of that name is asked for under,
    // before the document's base resolves it, as Qt's layout asks for it.
    static QUrl pictureUrl(const QString& name);

    // All but the bytes, which travel apart.
    QByteArray toMessage() const;
    // False for what is no request.
    bool fromMessage(const QByteArray& message);
};
