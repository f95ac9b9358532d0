#include "ImageNoteEditor.h"

#include "AppButton.h"
#include "ColorWidget.h"
#include "Common.h"
#include "ImageNotePictures.h"
#include "ImageNoteWorkArea.h"
#include "MessageBox.h"
#include "MoreAppsButton.h"
#include "NoteEditDragPreview.h"
#include "Os.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace DORuverud {

namespace {

using Mode = ImageNoteWorkArea::Mode;

struct ToolButton
{
    const char* objectName;
    const char* toolTip;
    void (ImageNoteEditor::*slot)();
};

// The hidden tool menu, in its own order.
struct ToolAction
{
    const char* text;
    Mode mode;
};

const ToolAction toolActions[] = {{"Pen", Mode::Pen}, {"Eraser", Mode::Eraser},
    {"Highlighter", Mode::Highlighter}, {"Line", Mode::Line}, {"Rectangle", Mode::Rectangle},
    {"Filled Rectangle", Mode::FilledRectangle}, {"Blur", Mode::BlurRectangle},
    {"Oval", Mode::Oval}, {"Filled Oval", Mode::FilledOval}, {"Text", Mode::Text},
    {"Arrow", Mode::Arrow}};

QBoxLayout* tightLayout(QBoxLayout* layout)
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

ImageNoteEditor::ImageNoteEditor(QWidget* parent)
    : QFrame(parent)
    , m_workArea(new ImageNoteWorkArea(nullptr))
    , m_scrollArea(new QScrollArea(this))
    , m_toolFrame(new QFrame(this))
    , m_dragPreview(new NoteEditDragPreview(m_toolFrame))
{
    m_scrollArea->setWidget(m_workArea);
    m_dragPreview->setToolTip(tr("Drag&Drop this into a chat, a mail or a folder"));
    createToolColumn();
    createToolMenu();
    connect(m_workArea, &ImageNoteWorkArea::changed, this, &ImageNoteEditor::slotChanged);
    connect(m_workArea, &ImageNoteWorkArea::changed, this, &ImageNoteEditor::changed);

    auto* right = new QVBoxLayout;
    right->addLayout(createTopRow());
    right->addWidget(m_scrollArea);
    QBoxLayout* layout = tightLayout(new QHBoxLayout(this));
    layout->addWidget(m_toolFrame);
    layout->addLayout(right);
}

QPushButton* ImageNoteEditor::createFlatButton(const QString& objectName, const QString& toolTip)
{
    auto* button = new QPushButton(this);
    button->setFlat(true);
    Common::extend(button, objectName, toolTip);
    return button;
}

void ImageNoteEditor::createToolColumn()
{
    static const ToolButton tools[] = {
        {"ImageNoteEditorPen", QT_TR_NOOP("Pen"), &ImageNoteEditor::slotSetPenTool},
        {"ImageNoteEditorEraser", QT_TR_NOOP("Eraser"), &ImageNoteEditor::slotSetEraserTool},
        {"ImageNoteEditorHighlighter", QT_TR_NOOP("Highlighter"),
            &ImageNoteEditor::slotSetHighlighterTool},
        {"ImageNoteEditorRectangle", QT_TR_NOOP("Rectangle"),
            &ImageNoteEditor::slotSetRectangleTool},
        {"ImageNoteEditorFilledRectangle", QT_TR_NOOP("Filled Rectangle"),
            &ImageNoteEditor::slotSetFilledRectangleTool},
        {"ImageNoteEditorOval", QT_TR_NOOP("Oval"), &ImageNoteEditor::slotSetOvalTool},
        {"ImageNoteEditorBlur", QT_TR_NOOP("Blur"), &ImageNoteEditor::slotSetBlurRectangleTool},
        {"ImageNoteEditorFilledOval", QT_TR_NOOP("Filled Oval"),
            &ImageNoteEditor::slotSetFilledOvalTool},
        {"ImageNoteEditorLine", QT_TR_NOOP("Line"), &ImageNoteEditor::slotSetLineTool},
        {"ImageNoteEditorArrow", QT_TR_NOOP("Arrow"), &ImageNoteEditor::slotSetArrowTool},
        {"ImageNoteEditorText", QT_TR_NOOP("Text"), &ImageNoteEditor::slotSetTextTool},
    };
    QBoxLayout* column = new QVBoxLayout(m_toolFrame);
    column->setSpacing(0);
    column->addWidget(m_dragPreview);
    column->addStretch();
    auto* group = new QButtonGroup(this);
    for (const ToolButton& tool : tools) {
        QPushButton* button = createFlatButton(QLatin1String(tool.objectName), tr(tool.toolTip));
        button->setCheckable(true);
        button->setFixedSize(32, 32);
        group->addButton(button);
        column->addWidget(button);
        connect(button, &QPushButton::clicked, this, tool.slot);
    }
    group->buttons().constFirst()->setChecked(true);
    findChild<QPushButton*>(QStringLiteral("ImageNoteEditorFilledOval"))->hide();
    column->addStretch();
    auto* newShot = new QPushButton(tr("New\nScreen\nShot"), m_toolFrame);
    newShot->setObjectName(QStringLiteral("NewScreenShowButton"));
    newShot->setFixedSize(64, 64);
    column->addWidget(newShot);
    connect(newShot, &QPushButton::clicked, this, &ImageNoteEditor::slotNewScreenShot);
}

// A hidden button carries the tool menu.
void ImageNoteEditor::createToolMenu()
{
    auto* holder = new QPushButton(QStringLiteral("DRA"), this);
    holder->setFlat(true);
    holder->hide();
    auto* menu = new QMenu(holder);
    auto* group = new QActionGroup(menu);
    for (const ToolAction& tool : toolActions) {
        QAction* action = menu->addAction(QLatin1String(tool.text));
        action->setCheckable(true);
        action->setData(int(tool.mode));
        group->addAction(action);
    }
    group->actions().constFirst()->setChecked(true);
    holder->setMenu(menu);
    connect(group, &QActionGroup::triggered, this, &ImageNoteEditor::slotSetDrawTool);
}

QHBoxLayout* ImageNoteEditor::createTopRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(5);
    row->addLayout(createColorAndThickness());
    row->addStretch();
    row->addLayout(createUndoRedo());
    row->addStretch();
    row->addLayout(createSaveAndQuit());
    return row;
}

QLayout* ImageNoteEditor::createColorAndThickness()
{
    auto* surround = new QWidget(this);
    surround->setObjectName(QStringLiteral("ImageNoteEditorColorDecor"));
    auto* surroundLayout = new QHBoxLayout(surround);
    surroundLayout->setContentsMargins(5, 5, 5, 5);
    auto* colour = new ColorWidget(surround);
    colour->setFixedSize(22, 22);
    colour->setColor(Qt::yellow);
    surroundLayout->addWidget(colour);
    connect(colour, &ColorWidget::colorChanged, m_workArea, &ImageNoteWorkArea::slotSetColor);

    QPushButton* thickness = createFlatButton(QStringLiteral("ImageNoteEditorThikness"), QString());
    thickness->setMenu(createThicknessMenu(thickness));
    QBoxLayout* layout = tightLayout(new QHBoxLayout);
    layout->addWidget(surround);
    layout->addWidget(thickness);
    return layout;
}

QMenu* ImageNoteEditor::createThicknessMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    auto* group = new QActionGroup(menu);
    for (int width : ImageNotePictures::thicknesses()) {
        QAction* action
            = menu->addAction(QIcon(QStringLiteral(":/") + ImageNotePictures::thicknessIcon(width)),
                QStringLiteral("%1px").arg(width));
        action->setCheckable(true);
        action->setData(width);
        group->addAction(action);
    }
    group->actions().constFirst()->setChecked(true);
    connect(group, &QActionGroup::triggered, this, &ImageNoteEditor::slotSetThikness);
    menu->addSeparator();
    QAction* dash
        = menu->addAction(QIcon(QStringLiteral(":/") + ImageNotePictures::dashIcon()), tr("Dash"));
    dash->setCheckable(true);
    connect(dash, &QAction::triggered, this, &ImageNoteEditor::slotSetDashLine);
    return menu;
}

QLayout* ImageNoteEditor::createUndoRedo()
{
    QPushButton* undo = createFlatButton(QStringLiteral("ImageNoteEditorUndo"), tr("Undo"));
    QPushButton* redo = createFlatButton(QStringLiteral("ImageNoteEditorRedo"), tr("Redo"));
    connect(undo, &QPushButton::clicked, m_workArea, &ImageNoteWorkArea::slotUndo);
    connect(redo, &QPushButton::clicked, m_workArea, &ImageNoteWorkArea::slotRedo);
    connect(m_workArea, &ImageNoteWorkArea::undoAvailable, undo, &QPushButton::setEnabled);
    connect(m_workArea, &ImageNoteWorkArea::redoAvailable, redo, &QPushButton::setEnabled);
    QBoxLayout* layout = tightLayout(new QHBoxLayout);
    layout->addWidget(undo);
    layout->addWidget(redo);
    return layout;
}

QLayout* ImageNoteEditor::createSaveAndQuit()
{
    QPushButton* save = createFlatButton(QStringLiteral("ImageNoteEditorSave"), tr("Save"));
    auto* moreApps = new MoreAppsButton(this);
    moreApps->setFlat(true);
    Common::extend(moreApps, QStringLiteral("ImageNoteEditorMoreApps"), tr("MoreApps"));
    auto* app = new AppButton(this);
    app->setFlat(true);
    Common::extend(app, QStringLiteral("ImageNoteEditorApp"), tr("App"));
    QPushButton* quit = createFlatButton(QStringLiteral("ImageNoteEditorQuit"), tr("Quit"));
    connect(save, &QPushButton::clicked, m_workArea, &ImageNoteWorkArea::slotSave);
    connect(app, &AppButton::quitPressed, this, &ImageNoteEditor::slotQuit);
    connect(quit, &QPushButton::clicked, this, &ImageNoteEditor::slotQuit);
    QBoxLayout* layout = tightLayout(new QHBoxLayout);
    for (QWidget* button : std::initializer_list<QWidget*> {save, moreApps, app, quit})
        layout->addWidget(button);
    return layout;
}

// The picture in logical pixels; the window fits it, up to two thirds of the desktop.
void ImageNoteEditor::slotSetPixmap(const QPixmap& pixmap)
{
    const double scale = Os::scaleFactor();
    const QSize logical(int(std::floor(pixmap.width() / scale + 0.5)),
        int(std::floor(pixmap.height() / scale + 0.5)));
    const QPixmap scaled = pixmap.scaled(logical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    const QSize limit(int(desktop.width() / 1.5), int(desktop.height() / 1.5));
    const QSize wanted = scaled.size() + QSize(100, 90);
    const bool tooLarge = wanted.width() > limit.width() || wanted.height() > limit.height();
    resize(tooLarge ? limit : wanted);
    m_workArea->slotSetPixmap(scaled);
    m_dragPreview->slotSetPixmap(scaled);
}

int ImageNoteEditor::ask(const QString& text, int buttons)
{
    MessageBox box(MessageBox::Information, QString(), text, buttons, this);
    return box.exec();
}

void ImageNoteEditor::slotNewScreenShot()
{
    if (m_workArea->isDirty()
        && ask(tr("The changes of the curent image are not saved.\nAfter creation of the new "
                  "screen shot these changes will be lost.\nContinue?"),
               QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::No)
        return;
    hide();
    emit doNewScreenShot();
}

// Asks whether to save a dirty picture, and saves it on Yes. The answer; No
// for a clean picture, which has nothing to lose.
int ImageNoteEditor::askToSave()
{
    if (!m_workArea->isDirty())
        return QMessageBox::No;
    const int answer = ask(tr("Do you want to save the current changes to the file?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        m_workArea->slotSave();
    return answer;
}

void ImageNoteEditor::closeEvent(QCloseEvent* event)
{
    if (!m_workArea->isDirty()) {
        QFrame::closeEvent(event);
        return;
    }
    event->ignore();
    if (askToSave() == QMessageBox::No)
        hide();
    else
        show();
}

// Yes quits only once the picture is saved: a failed or cancelled save stays.
void ImageNoteEditor::slotQuit()
{
    const int answer = askToSave();
    if (answer == QMessageBox::No || (answer == QMessageBox::Yes && !m_workArea->isDirty()))
        QCoreApplication::quit();
}

void ImageNoteEditor::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    emit shown();
}

void ImageNoteEditor::slotChanged()
{
    m_dragPreview->slotSetPixmap(m_workArea->pixContent());
}

void ImageNoteEditor::slotSetThikness(QAction* action)
{
    if (action)
        m_workArea->slotSetThikness(action->data().toInt());
}

void ImageNoteEditor::slotSetDashLine(bool dashed)
{
    m_workArea->slotSetDashLine(dashed);
}

void ImageNoteEditor::slotSetDrawTool(QAction* action)
{
    if (action)
        m_workArea->slotSetMode(Mode(action->data().toInt()));
}

void ImageNoteEditor::slotSetFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok);
    if (ok)
        m_workArea->slotSetFont(font);
}

void ImageNoteEditor::slotAbout()
{
    QMessageBox::about(this, tr("About"), tr("Note Editor"));
}

void ImageNoteEditor::slotSetPenTool()
{
    m_workArea->slotSetMode(Mode::Pen);
}

void ImageNoteEditor::slotSetEraserTool()
{
    m_workArea->slotSetMode(Mode::Eraser);
}

void ImageNoteEditor::slotSetHighlighterTool()
{
    m_workArea->slotSetMode(Mode::Highlighter);
}

void ImageNoteEditor::slotSetRectangleTool()
{
    m_workArea->slotSetMode(Mode::Rectangle);
}

void ImageNoteEditor::slotSetFilledRectangleTool()
{
    m_workArea->slotSetMode(Mode::FilledRectangle);
}

void ImageNoteEditor::slotSetOvalTool()
{
    m_workArea->slotSetMode(Mode::Oval);
}

void ImageNoteEditor::slotSetBlurRectangleTool()
{
    m_workArea->slotSetMode(Mode::BlurRectangle);
}

void ImageNoteEditor::slotSetFilledOvalTool()
{
    m_workArea->slotSetMode(Mode::FilledOval);
}

void ImageNoteEditor::slotSetLineTool()
{
    m_workArea->slotSetMode(Mode::Line);
}

void ImageNoteEditor::slotSetArrowTool()
{
    m_workArea->slotSetMode(Mode::Arrow);
}

void ImageNoteEditor::slotSetTextTool()
{
    m_workArea->slotSetMode(Mode::Text);
}

} // namespace DORuverud
