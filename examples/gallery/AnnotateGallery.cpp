// gallery annotate: the screenshot annotation editor on a grab of the
// screen. An empty screen (one colour throughout, as a bare X server shows)
// is grabbed again once the editor is on it, so that there is something to
// annotate. New Screen Shot grabs again once the editor has left the screen;
// hiding the editor otherwise ends the gallery.
#include "Common.h"
#include "GalleryPages.h"
#include "ImageNoteEditor.h"
#include "ImageNotePictures.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>

namespace {

bool isBlank(const QPixmap& grab)
{
    const QImage image = grab.toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(line, line + image.width(), [first](QRgb p) { return p != first; }))
            return false;
    }
    return true;
}

// The host's look for the editor's controls, which carry no captions or
// icons of their own: the tool cursors on the tool buttons, words elsewhere.
QString styleSheet()
{
    static const QList<QPair<const char*, int>> tools
        = {{"Pen", 0}, {"Eraser", 1}, {"Highlighter", 2}, {"Rectangle", 3}, {"FilledRectangle", 4},
            {"Blur", 5}, {"Oval", 6}, {"Line", 8}, {"Arrow", 9}, {"Text", 10}};
    static const QList<QPair<const char*, const char*>> words
        = {{"ImageNoteEditorThikness", "Width"}, {"ImageNoteEditorUndo", "Undo"},
            {"ImageNoteEditorRedo", "Redo"}, {"ImageNoteEditorSave", "Save"},
            {"ImageNoteEditorMoreApps", "More"}, {"ImageNoteEditorApp", "App"},
            {"ImageNoteEditorQuit", "Quit"}, {"NoteEditWidgetAccept", "OK"},
            {"NoteEditWidgetReject", "Cancel"}, {"NoteEditWidgetInc", "A+"},
            {"NoteEditWidgetDec", "A-"}};
    QString sheet = QStringLiteral("QPushButton:checked { background: rgb(190, 210, 240); "
                                   "border: 1px solid rgb(90, 120, 180); border-radius: 3px; }\n");
    for (const auto& tool : tools) {
        sheet += QStringLiteral("QPushButton#ImageNoteEditor%1 { image: url(:/%2); }\n")
                     .arg(QLatin1String(tool.first),
                         DORuverud::ImageNotePictures::cursor(tool.second));
    }
    for (const auto& word : words) {
        sheet += QStringLiteral("QPushButton#%1 { qproperty-text: \"%2\"; padding: 4px 8px; }\n")
                     .arg(QLatin1String(word.first), QLatin1String(word.second));
    }
    return sheet;
}

class AnnotateHost : public QObject
{
    Q_OBJECT

public:
    explicit AnnotateHost(DORuverud::ImageNoteEditor* editor)
        : QObject(editor)
        , m_editor(editor)
    {
        editor->setWindowTitle(tr("Screenshot annotation"));
        editor->setStyleSheet(styleSheet());
        editor->installEventFilter(this);
        const QPixmap screen = DORuverud::Common::grabScreen();
        editor->slotSetPixmap(screen);
        m_grabWhenShown = isBlank(screen);
        connect(editor, &DORuverud::ImageNoteEditor::doNewScreenShot, this, &AnnotateHost::regrab);
    }

protected:
    // A hide that asks for no new screenshot ends the gallery.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && m_grabWhenShown) {
            m_grabWhenShown = false;
            QTimer::singleShot(GrabDelayMs, this,
                [this] { m_editor->slotSetPixmap(DORuverud::Common::grabScreen()); });
        }
        if (event->type() == QEvent::Hide)
            QTimer::singleShot(0, this, [this] {
                if (!m_grabbing)
                    QCoreApplication::quit();
            });
        return QObject::eventFilter(watched, event);
    }

private:
    void regrab()
    {
        m_grabbing = true;
        QTimer::singleShot(GrabDelayMs, this, [this] {
            m_editor->slotSetPixmap(DORuverud::Common::grabScreen());
            m_editor->show();
            m_grabbing = false;
        });
    }

    // Time for the window system to show or take away the editor.
    static constexpr int GrabDelayMs = 300;

    DORuverud::ImageNoteEditor* m_editor;
    bool m_grabbing = false;
    bool m_grabWhenShown = false;
};

GalleryPages::Entry entry("annotate", [] {
    auto* editor = new DORuverud::ImageNoteEditor;
    new AnnotateHost(editor);
    return editor;
});

} // namespace

#include "AnnotateGallery.moc"
