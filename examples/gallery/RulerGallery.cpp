// gallery ruler: measures an area of the screen in points.
#include "GalleryPages.h"
#include "ScreenMeasurer.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class RulerPage : public QWidget
{
    Q_OBJECT

public:
    RulerPage()
    {
        setWindowTitle(tr("Screen ruler"));
        m_ruler = new DORuverud::ScreenMeasurer(this);
        m_ruler->setWindowFlags(Qt::Window);
        m_ruler->setMessage(tr("Drag to measure an area.\n"
                               "Press [ESC] to close the ruler."));
        auto* measure = new QPushButton(tr("Measure on the screen"), this);
        // Lines of their own rather than wrapped: a window's least height
        // leaves out what a wrapped text needs at its width.
        auto* hint = new QLabel(tr("The ruler shows a still of the screen; each drag\n"
                                   "shows the width and height of the area under it."),
            this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(measure);
        layout->addWidget(hint);
        resize(360, 120);

        connect(measure, &QPushButton::clicked, this, &RulerPage::measure);
        connect(m_ruler, &DORuverud::ScreenMeasurer::done, this, &RulerPage::showRuler);
        connect(m_ruler, &DORuverud::ScreenMeasurer::doQuit, this, &QWidget::show);
    }

private:
    // The page leaves the screen before the grab.
    void measure()
    {
        hide();
        QTimer::singleShot(300, m_ruler, [this] {
            DORuverud::ScreenCropper* cropper = m_ruler;
            cropper->grabScreen();
        });
    }

    void showRuler()
    {
        m_ruler->recreatePix2();
        m_ruler->showFullScreen();
        m_ruler->activateWindow();
    }

    DORuverud::ScreenMeasurer* m_ruler;
};

GalleryPages::Entry entry("ruler", [] { return new RulerPage; });

} // namespace

#include "RulerGallery.moc"
