#include "TextEdit.h"

#include "KeptLayout.h"
#include "TextEditArea.h"
#include "TextEditDocument.h"
#include "TextEditIcons.h"
#include "TrialQueue.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextEdit>
#include <QToolBar>

QString rsrcPath = TextEditIcons::folder();

namespace {

QFont styledFont(QFont::Weight weight, bool italic, bool underline)
{
    QFont font;
    font.setWeight(weight);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

} // namespace

TextEdit::TextEdit(QWidget* parent)
    : QMainWindow(parent)
{
    setToolButtonStyle(Qt::ToolButtonFollowStyle);
    setupFileActions();
    setupEditActions();
    setupTextActions();
    setupComboBar();

    m_textEdit = new TextEditArea(this);
    connect(m_textEdit, &QTextEdit::currentCharFormatChanged, this,
        &TextEdit::currentCharFormatChanged);
    connect(m_textEdit, &QTextEdit::cursorPositionChanged, this, &TextEdit::cursorPositionChanged);
    connect(m_textEdit, &QTextEdit::textChanged, this, &TextEdit::textChanged);
    setCentralWidget(m_textEdit);
    m_textEdit->setFocus(Qt::OtherFocusReason);
    setCurrentFileName(QString());

    fontChanged(m_textEdit->font());
    colorChanged(m_textEdit->textColor());
    alignmentChanged(m_textEdit->alignment());
    showDocument(new TextEditDocument);
    connectEditActions();

    connect(
        QApplication::clipboard(), &QClipboard::dataChanged, this, &TextEdit::clipboardDataChanged);
}

QString TextEdit::html() const
{
    return m_textEdit->toHtml();
}

// In a document of its own, which reads its pictures anew.
void TextEdit::setHtml(const QString& html)
{
    if (held([this, html] { setHtml(html); }))
        return;
    // Set anew, the document shows no edit, yet holds what no file does.
    m_fileDigest.clear();
    showDocument(new TextEditDocument);
    m_textEdit->setHtml(html);
}

QAction* TextEdit::createAction(const QString& text, const QString& themeIcon,
    const QString& picture, const QKeySequence& shortcut, bool lowPriority, QObject* parent)
{
    const QIcon icon
        = themeIcon.isEmpty() ? QIcon() : QIcon::fromTheme(themeIcon, QIcon(rsrcPath + picture));
    auto* action = new QAction(icon, text, parent ? parent : this);
    action->setShortcut(shortcut);
    if (lowPriority)
        action->setPriority(QAction::LowPriority);
    return action;
}

void TextEdit::setupFileActions()
{
    QMenu* menu = menuBar()->addMenu(tr("&File"));
    QAction* action
        = createAction(tr("&New"), "document-new", "/filenew.png", QKeySequence::New, true);
    connect(action, &QAction::triggered, this, &TextEdit::slotFileNew);
    menu->addAction(action);
    action
        = createAction(tr("&Open..."), "document-open", "/fileopen.png", QKeySequence::Open, false);
    connect(action, &QAction::triggered, this, &TextEdit::slotFileOpen);
    menu->addAction(action);
    menu->addSeparator();

    m_actionSave
        = createAction(tr("&Save"), "document-save", "/filesave.png", QKeySequence::Save, false);
    connect(m_actionSave, &QAction::triggered, this, &TextEdit::slotFileSave);
    m_actionSave->setEnabled(false);
    menu->addAction(m_actionSave);
    action = createAction(tr("Save &As..."), QString(), QString(), QKeySequence(), true);
    connect(action, &QAction::triggered, this, &TextEdit::slotFileSaveAs);
    menu->addAction(action);
    menu->addSeparator();

    action = createAction(
        tr("&Print..."), "document-print", "/fileprint.png", QKeySequence::Print, true);
    connect(action, &QAction::triggered, this, &TextEdit::slotFilePrint);
    menu->addAction(action);
    action = createAction(
        tr("Print Preview..."), "fileprint", "/fileprint.png", QKeySequence(), false);
    connect(action, &QAction::triggered, this, &TextEdit::slotFilePrintPreview);
    menu->addAction(action);
    action = createAction(
        tr("&Export PDF..."), "exportpdf", "/exportpdf.png", Qt::CTRL + Qt::Key_D, true);
    connect(action, &QAction::triggered, this, &TextEdit::slotFilePrintPdf);
    menu->addAction(action);
    menu->addSeparator();

    // The window that holds the editor, which may be another's.
    action = createAction(tr("&Quit"), QString(), QString(), Qt::CTRL + Qt::Key_Q, false);
    connect(action, &QAction::triggered, this, [this] { window()->close(); });
    menu->addAction(action);
}

void TextEdit::setupEditActions()
{
    QMenu* menu = menuBar()->addMenu(tr("&Edit"));
    m_actionUndo
        = createAction(tr("&Undo"), "edit-undo", "/editundo.png", QKeySequence::Undo, false);
    m_actionRedo
        = createAction(tr("&Redo"), "edit-redo", "/editredo.png", QKeySequence::Redo, true);
    m_actionCut = createAction(tr("Cu&t"), "edit-cut", "/editcut.png", QKeySequence::Cut, true);
    m_actionCopy
        = createAction(tr("&Copy"), "edit-copy", "/editcopy.png", QKeySequence::Copy, true);
    m_actionPaste
        = createAction(tr("&Paste"), "edit-paste", "/editpaste.png", QKeySequence::Paste, true);
    menu->addAction(m_actionUndo);
    menu->addAction(m_actionRedo);
    menu->addSeparator();
    menu->addAction(m_actionCut);
    menu->addAction(m_actionCopy);
    menu->addAction(m_actionPaste);
    clipboardDataChanged();
}

void TextEdit::setupTextActions()
{
    QMenu* menu = menuBar()->addMenu(tr("F&ormat"));
    m_actionTextBold = createAction(
        tr("&Bold"), "format-text-bold", "/textbold.png", Qt::CTRL + Qt::Key_B, true);
    m_actionTextBold->setFont(styledFont(QFont::Bold, false, false));
    m_actionTextItalic = createAction(
        tr("&Italic"), "format-text-italic", "/textitalic.png", Qt::CTRL + Qt::Key_I, true);
    m_actionTextItalic->setFont(styledFont(QFont::Normal, true, false));
    m_actionTextUnderline = createAction(
        tr("&Underline"), "format-text-underline", "/textunder.png", Qt::CTRL + Qt::Key_U, true);
    m_actionTextUnderline->setFont(styledFont(QFont::Normal, false, true));
    for (QAction* action : {m_actionTextBold, m_actionTextItalic, m_actionTextUnderline}) {
        action->setCheckable(true);
        menu->addAction(action);
    }
    connect(m_actionTextBold, &QAction::triggered, this, &TextEdit::slotTextBold);
    connect(m_actionTextItalic, &QAction::triggered, this, &TextEdit::slotTextItalic);
    connect(m_actionTextUnderline, &QAction::triggered, this, &TextEdit::slotTextUnderline);
    menu->addSeparator();
    setupAlignActions(menu);
    menu->addSeparator();

    m_actionTextColor = new QAction(tr("&Color..."), this);
    colorChanged(Qt::black);
    menu->addAction(m_actionTextColor);
}

void TextEdit::setupAlignActions(QMenu* menu)
{
    auto* group = new QActionGroup(this);
    connect(group, &QActionGroup::triggered, this, &TextEdit::textAlign);
    m_actionAlignLeft = createAction(
        tr("&Left"), "format-justify-left", "/textleft.png", Qt::CTRL + Qt::Key_L, true, group);
    m_actionAlignCenter = createAction(tr("C&enter"), "format-justify-center", "/textcenter.png",
        Qt::CTRL + Qt::Key_E, true, group);
    m_actionAlignRight = createAction(
        tr("&Right"), "format-justify-right", "/textright.png", Qt::CTRL + Qt::Key_R, true, group);
    m_actionAlignJustify = createAction(tr("&Justify"), "format-justify-fill", "/textjustify.png",
        Qt::CTRL + Qt::Key_J, true, group);
    for (QAction* action : group->actions())
        action->setCheckable(true);
    if (QApplication::isLeftToRight())
        menu->addActions(group->actions());
    else
        menu->addActions(
            {m_actionAlignRight, m_actionAlignCenter, m_actionAlignLeft, m_actionAlignJustify});
}

void TextEdit::setupComboBar()
{
    auto* bar = new QToolBar(this);
    bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    bar->setWindowTitle(tr("Format Actions"));
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(bar);

    m_comboStyle = new QComboBox(bar);
    m_comboStyle->addItems({"Standard", "Bullet List (Disc)", "Bullet List (Circle)",
        "Bullet List (Square)", "Ordered List (Decimal)", "Ordered List (Alpha lower)",
        "Ordered List (Alpha upper)", "Ordered List (Roman lower)", "Ordered List (Roman upper)"});
    bar->addWidget(m_comboStyle);
    connect(m_comboStyle, QOverload<int>::of(&QComboBox::activated), this, &TextEdit::textStyle);

    m_comboFont = new QFontComboBox(bar);
    bar->addWidget(m_comboFont);
    connect(m_comboFont, &QComboBox::textActivated, this, &TextEdit::textFamily);

    m_comboSize = new QComboBox(bar);
    m_comboSize->setObjectName(QStringLiteral("comboSize"));
    m_comboSize->setEditable(true);
    for (int size : QFontDatabase::standardSizes())
        m_comboSize->addItem(QString::number(size));
    bar->addWidget(m_comboSize);
    connect(m_comboSize, &QComboBox::textActivated, this, &TextEdit::textSize);
    m_comboSize->setCurrentIndex(
        m_comboSize->findText(QString::number(QApplication::font().pointSize())));
}

void TextEdit::showDocument(TextEditDocument* document)
{
    QTextDocument* shown = m_textEdit->document();
    // The text area deletes its first document itself, the window those after.
    const bool own = shown->parent() == m_textEdit;
    document->setParent(m_textEdit);
    // The text area gives its font to its first document and on a change
    // only; a document laid out in it already keeps its layout.
    if (document->defaultFont() != m_textEdit->font())
        document->setDefaultFont(m_textEdit->font());
    KeptLayout::show(m_textEdit, document);
    if (own)
        delete shown;
    // Queued: the pictures are read while the text area lays out or paints.
    connect(document, &TextEditDocument::picturesLeftOut, this, &TextEdit::showPicturesLeftOut,
        Qt::QueuedConnection);
    // Those read while the document was built.
    if (!document->picturesLeftOutWhy().isEmpty())
        showPicturesLeftOut(document->picturesLeftOutWhy());
    connectDocument();
}

// A notice that waits for no answer: the document is shown.
void TextEdit::showPicturesLeftOut(const QString& why)
{
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Rich Text"), why, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void TextEdit::connectDocument()
{
    QTextDocument* document = m_textEdit->document();
    connect(document, &QTextDocument::modificationChanged, m_actionSave, &QAction::setEnabled);
    connect(document, &QTextDocument::modificationChanged, this, &TextEdit::setWindowModified);
    connect(document, &QTextDocument::undoAvailable, m_actionUndo, &QAction::setEnabled);
    connect(document, &QTextDocument::redoAvailable, m_actionRedo, &QAction::setEnabled);
    setWindowModified(document->isModified());
    m_actionSave->setEnabled(document->isModified());
    m_actionUndo->setEnabled(document->isUndoAvailable());
    m_actionRedo->setEnabled(document->isRedoAvailable());
}

void TextEdit::connectEditActions()
{
    connect(m_actionUndo, &QAction::triggered, this, &TextEdit::slotUndo);
    connect(m_actionRedo, &QAction::triggered, this, &TextEdit::slotRedo);
    connect(m_actionCut, &QAction::triggered, this, &TextEdit::slotCut);
    connect(m_actionCopy, &QAction::triggered, this, &TextEdit::slotCopy);
    connect(m_actionPaste, &QAction::triggered, this, &TextEdit::slotPaste);
    m_actionCut->setEnabled(false);
    m_actionCopy->setEnabled(false);
    connect(m_textEdit, &QTextEdit::copyAvailable, m_actionCut, &QAction::setEnabled);
    connect(m_textEdit, &QTextEdit::copyAvailable, m_actionCopy, &QAction::setEnabled);
}

bool TextEdit::held(std::function<void()> action)
{
    return m_textEdit->trials()->held(std::move(action));
}

// Copy takes the document as it stands after what was held before it.
void TextEdit::slotCopy()
{
    if (!held([this] { slotCopy(); }))
        m_textEdit->copy();
}

// The text area holds what it pastes during a trial.
void TextEdit::slotPaste()
{
    m_textEdit->paste();
}

void TextEdit::slotCut()
{
    if (!held([this] { slotCut(); }))
        m_textEdit->cut();
}

void TextEdit::slotUndo()
{
    if (!held([this] { slotUndo(); }))
        m_textEdit->undo();
}

void TextEdit::slotRedo()
{
    if (!held([this] { slotRedo(); }))
        m_textEdit->redo();
}

void TextEdit::clipboardDataChanged()
{
    m_actionPaste->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

void TextEdit::closeEvent(QCloseEvent* event)
{
    if (mayClose(this))
        event->accept();
    else
        event->ignore();
}
