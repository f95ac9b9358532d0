#pragma once

#include "PlainTextForm.h"

#include <QCoreApplication>
#include <QString>

namespace DORuverud {

// Reads a style-sheet file for CssDoc as text in the encoding its byte-order
// mark names, else in UTF-8 when its bytes are that, else in the local
// encoding. Refuses what the editor could not show
// faithfully, so that a Save never writes back a damaged file (bytes that are
// no text in that encoding or that a save would not write again, zero bytes
// and other control characters), and what its text area cannot lay out in
// reasonable time: a file beyond the bound below, a run of characters beyond
// UnbrokenRun's.
class CssSheetReader
{
    Q_DECLARE_TR_FUNCTIONS(CssSheetReader)

public:
    // Bytes read at most; a larger file is refused.
    static constexpr int maxFileSize = 1 << 20;

    explicit CssSheetReader(const QByteArray& data);
    // Reads at most one byte past maxFileSize; what is not a regular file
    // (a folder, a device, a pipe) is refused unread.
    static CssSheetReader fromFile(const QString& path);
    // Why a text, such as a pasted one within the line it joins, is more than
    // the text area can lay out, or an empty text.
    static QString layoutRefusal(const QString& text);

    // Why the file is refused, or an empty text when it is readable.
    QString refusal() const;
    // The style sheet; empty when refused.
    QString text() const;
    // The encoding, byte-order mark and line ends to save the sheet in.
    PlainTextForm form() const;

private:
    CssSheetReader() = default;
    QString read(const QByteArray& data);
    bool writesBack(const QByteArray& data) const;
    static QString sizeRefusal();

    QString m_refusal;
    QString m_text;
    PlainTextForm m_form;
};

} // namespace DORuverud
