#pragma once

// What the rich-text editor's tests of files, bounds and commands share.
#include "../common/FullDisk.h"
#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "ColorWidget.h"
#include "ColorWidgetPopup.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "RichtextEditor.h"
#include "TextEdit.h"
#include "TextEditIcons.h"
#include "TextEditReader.h"
#include "UnbrokenRun.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextCodec>
#include <QTextEdit>
#include <QTextList>
#include <memory>

namespace RichtextTestTools {

using namespace DialogTestTools;
using namespace EditorTestTools;

const QString sample = QStringLiteral("Grüße aus dem Notenheft");
const QString untitled = QStringLiteral("untitled.txt[*] - Rich Text");

inline QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// The height of a line of the editor's font, in which it reads a file.
inline qreal editorLineHeight()
{
    TextEdit window;
    const QFontMetricsF metrics(textArea(&window)->font());
    return std::ceil(metrics.ascent() + metrics.descent() + qMax<qreal>(0, metrics.leading()));
}

// The lines of the editor's font that the height bound takes, with the
// document's margins of 4 pixels.
inline int plainLinesOfHeight()
{
    return int((TextEditReader::maxHeight - 8) / editorLineHeight());
}

// The lines of a plain text that the work of lines takes.
inline int plainLinesOfWork()
{
    return int(TextEditReader::maxLineWork / TextEditReader::plainParagraphWork);
}

// The lines of a plain text that open, by whichever bound comes first at the
// screen's resolution, and why one more is refused.
inline int plainLinesAtTheBound()
{
    return qMin(plainLinesOfHeight(), plainLinesOfWork());
}

inline QString plainLinesRefusal()
{
    return plainLinesOfHeight() < plainLinesOfWork()
        ? "It is taller than this editor can lay out."
        : "It has more lines than this editor can lay out.";
}

// Line breaks in one paragraph of plain text that the work of lines takes.
const int lineBreaksOfWork = (TextEditReader::maxLineWork - TextEditReader::plainParagraphWork)
    / TextEditReader::lineBreakWork;

// Why the page helper refuses a page: too long to lay out, too much memory,
// too tall, each more than this editor can take, or crashing the helper.
const QString pageRefused = QStringLiteral("this editor");

// Paragraphs each in a font family of its own, an "x" in each.
inline QByteArray fontFamilies(int count)
{
    QByteArray html;
    for (int i = 0; i < count; ++i)
        html += "<p style=\"font-family: f" + QByteArray::number(i) + "\">x</p>";
    return html;
}

// The action of that menu text below the widget.
inline QAction* action(QWidget* widget, const QString& text)
{
    for (QAction* action : widget->findChildren<QAction*>()) {
        if (action->text() == text)
            return action;
    }
    qFatal("no action %s", qPrintable(text));
}

// Puts the cursor at the position, in the new text if one is given.
inline void placeCursor(QWidget* window, int position, const QString& text = QString())
{
    if (!text.isNull())
        textArea(window)->setPlainText(text);
    QTextCursor cursor = textArea(window)->textCursor();
    cursor.setPosition(position);
    textArea(window)->setTextCursor(cursor);
}

inline QTextCharFormat formatAt(QWidget* window, int position)
{
    QTextCursor cursor(textArea(window)->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

// What the program prints, or "<failed>".
inline QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QStringList pdfLines(const QString& path)
{
    return output("pdftotext", {path, "-"}).remove('\f').split('\n', Qt::SkipEmptyParts);
}

// Answers a question box; any other dialog is rejected, and the caller sees what came.
inline std::function<void(QWidget*)> answerBox(int button)
{
    return [button](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::StandardButton(button))->click();
        else
            static_cast<QDialog*>(modal)->reject();
    };
}

// Opens the file through the Open dialog; the text of the message box that
// followed it, or an empty text when none came.
inline QString openAnswered(QWidget* window, const QString& path)
{
    return messageAfterFileDialog(path, [window] {
        action(window, "&Open...")->trigger();
        settled(window);
    });
}

// Pastes the offer through the clipboard; the text of the message box that
// followed, or an empty text when none came, and the time the paste took.
inline QString pasteAnswered(TextEdit* window, QMimeData* offer, qint64* milliseconds)
{
    QApplication::clipboard()->setMimeData(offer);
    const ThreadTime time;
    const QString message = messageRejectedDuring([window] {
        window->slotPaste();
        settled(window);
    });
    *milliseconds = time.elapsedMs();
    return message;
}

// The text in UTF-16 without a byte-order mark.
inline QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes += char(bigEndian ? c.row() : c.cell());
        bytes += char(bigEndian ? c.cell() : c.row());
    }
    return bytes;
}

// The text in the encoding, with a byte-order mark when asked.
inline QByteArray encoded(const QString& text, const char* codec, bool byteOrderMark)
{
    QTextCodec::ConverterState state(
        byteOrderMark ? QTextCodec::DefaultConversion : QTextCodec::IgnoreHeader);
    return QTextCodec::codecForName(codec)->fromUnicode(text.constData(), text.size(), &state);
}

inline QByteArray picture()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB32).save(&buffer, "PNG");
    return buffer.data();
}

} // namespace RichtextTestTools
