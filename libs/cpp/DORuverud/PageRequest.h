#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QUrl>

// A page the editor asks its page process to try (PageTrial, PageLayout):
// the bytes of a file read as HTML, or of a rich paste, in the editor's
// font, laid out at the narrowest text width the editor allows for, where
// its layout costs the most.
struct PageRequest
{
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
