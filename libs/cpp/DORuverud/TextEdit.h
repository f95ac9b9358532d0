#pragma once

#include "PlainTextForm.h"

#include <QMainWindow>
#include <QTextCharFormat>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFontComboBox;
class QMenu;
class QPrinter;
class TextEditArea;
class TextEditDocument;
class TextEditReader;

namespace DORuverud {
class RichtextEditor;
}

// Resource folder of the fall-back icon pictures.
extern QString rsrcPath;

// A document window for formatted text: opens HTML or plain text, saves
// OpenDocument text, HTML or plain text by suffix, prints, previews and
// exports PDF, and formats characters, paragraphs and lists. A file opened,
// and rich text pasted or dropped, is tried first, as a trial of its text
// area (TrialQueue): what the user does meanwhile, the window's commands
// and its closing among it, waits and runs in order once the trial ended.
class TextEdit : public QMainWindow
{
    Q_OBJECT

public:
    explicit TextEdit(QWidget* parent = nullptr);

    QString html() const;
    // After the trial under way, if any.
    void setHtml(const QString& html);

signals:
    void textChanged();

public slots:
    void slotFileNew();
    void slotFileOpen();
    bool slotFileSave();
    bool slotFileSaveAs();
    void slotFilePrint();
    void slotFilePrintPreview();
    void slotFilePrintPdf();
    void slotCopy();
    void slotPaste();
    void slotCut();
    void slotUndo();
    void slotRedo();

    void slotTextBold();
    void slotTextUnderline();
    void slotTextItalic();
    void slotTextAlignLeft();
    void slotTextAlignCenter();
    void slotTextAlignRight();
    void slotTextAlignJustify();
    void textAlign(QAction* a);
    void textFamily(QString f);
    // Ignores text that is not a positive number.
    void textSize(QString p);
    // 0 leaves lists, 1 to 8 make a list of that style, above 8 a disc list.
    void textStyle(int styleIndex);
    // Ignores an invalid colour.
    void slotColorChanged(QColor c);

protected:
    // Asks whether to save unsaved changes; Cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void clipboardDataChanged();
    void printPreview(QPrinter* printer);
    void currentCharFormatChanged(QTextCharFormat format);
    void cursorPositionChanged();

private:
    friend class DORuverud::RichtextEditor;

    // A file's content, as HTML or plain text as its name says, else as HTML
    // when it begins as a page does, in the text area's font, tried and built
    // on the layout thread. False when the file is missing or, with a
    // message, unreadable; else true: the trial began.
    bool load(const QString& path);
    void tryFile(const QString& path, const QByteArray& content);
    // Shows the file's document as it was built, or says why it was refused.
    void opened(const QString& path, const TextEditReader& reader,
        std::unique_ptr<TextEditDocument> document, const QByteArray& digest);
    void refuseFile(const QString& path, const QString& refusal, const QString& instead);
    // Shows the document in the text area's font; the text area comes to own it.
    void showDocument(TextEditDocument* document);
    // Holds the action while a trial runs, and tells so.
    bool held(std::function<void()> action);
    // Whether the window may close: asks to save a modified document; while
    // a trial runs, holds the window's closing until after it.
    bool mayClose(QWidget* window);
    void showPicturesLeftOut(const QString& why);
    // Whether the caller may go on; asks to save a modified document.
    bool maybeSave();
    // Writes the document in one piece: as OpenDocument or HTML by the path's
    // suffix, otherwise in the form the file was read in, plain text in its
    // encoding and with its line ends. Says why it failed.
    bool write(const QString& path);
    // The document in the writer's format, as written at the path: HTML names
    // its pictures from there. Why it cannot be written so, or an empty text.
    QString encode(const QByteArray& format, const QString& path, QByteArray* content) const;
    void setCurrentFileName(const QString& fileName);
    void setupFileActions();
    void setupEditActions();
    void setupTextActions();
    void setupAlignActions(QMenu* menu);
    void setupComboBar();
    void connectDocument();
    void connectEditActions();
    // An action of the window with the theme icon, or the fall-back picture.
    QAction* createAction(const QString& text, const QString& themeIcon, const QString& picture,
        const QKeySequence& shortcut, bool lowPriority, QObject* parent = nullptr);

    void mergeFormatOnWordOrSelection(const QTextCharFormat& format);
    void fontChanged(const QFont& f);
    void colorChanged(const QColor& c);
    void alignmentChanged(Qt::Alignment a);

    QAction* m_actionSave;
    QAction* m_actionTextBold;
    QAction* m_actionTextUnderline;
    QAction* m_actionTextItalic;
    QAction* m_actionTextColor;
    QAction* m_actionAlignLeft;
    QAction* m_actionAlignCenter;
    QAction* m_actionAlignRight;
    QAction* m_actionAlignJustify;
    QAction* m_actionUndo;
    QAction* m_actionRedo;
    QAction* m_actionCut;
    QAction* m_actionCopy;
    QAction* m_actionPaste;
    QComboBox* m_comboStyle;
    QFontComboBox* m_comboFont;
    QComboBox* m_comboSize;
    QString m_fileName;
    // Whether the file named was read as HTML, and the form of its plain text.
    bool m_fileIsHtml = false;
    PlainTextForm m_fileForm;
    // The digest of the bytes the file named held when it was opened or
    // saved; empty once the document is set anew. While the document's undo
    // stack stands where it stood then (it shows no modification), a save
    // leaves them as they are if the file still holds them.
    QByteArray m_fileDigest;
    // A close waits for the trial under way.
    bool m_closeHeld = false;
    TextEditArea* m_textEdit;
};
