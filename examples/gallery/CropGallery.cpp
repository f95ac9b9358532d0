// gallery crop: cuts an area out of the screen and saves it, as a
// screenshot tool does.
#include "GalleryPages.h"
#include "ScreenCropper.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class CropPage : public QWidget
{
    Q_OBJECT

public:
    CropPage()
    {
        setWindowTitle(tr("Screen cropper"));
        m_cropper = new DORuverud::ScreenCropper(this);
        m_cropper->setWindowFlags(Qt::Window);
        auto* crop = new QPushButton(tr("Crop the screen"), this);
        m_preview = new QLabel(tr("The cropped area shows here."), this);
        m_preview->setAlignment(Qt::AlignCenter);
        m_preview->setMinimumSize(480, 300);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(crop);
        layout->addWidget(m_preview, 1);

        connect(crop, &QPushButton::clicked, this, &CropPage::crop);
        connect(m_cropper, qOverload<QPixmap>(&DORuverud::ScreenCropper::done), this,
            &CropPage::showResult);
        // The save slot is private: connected by its signature.
        connect(m_cropper, SIGNAL(done()), m_cropper, SLOT(slotSave()));
        connect(m_cropper, &DORuverud::ScreenCropper::closed, this, &QWidget::show);
    }

private:
    // The page leaves the screen before the grab.
    void crop()
    {
        hide();
        QTimer::singleShot(300, m_cropper, &DORuverud::ScreenCropper::grabScreen);
    }

    void showResult(const QPixmap& result)
    {
        m_preview->setPixmap(
            result.scaled(m_preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }

    DORuverud::ScreenCropper* m_cropper;
    QLabel* m_preview;
};

GalleryPages::Entry entry("crop", [] { return new CropPage; });

} // namespace

#include "CropGallery.moc"
