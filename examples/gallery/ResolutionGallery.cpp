// gallery resolution: a page that can be laid out at a virtual screen size.
#include "GalleryPages.h"
#include "HybridWidget.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class ResolutionPage : public QWidget
{
    Q_OBJECT

public:
    explicit ResolutionPage(DORuverud::HybridWidget* host)
    {
        host->setWindowCaption(tr("Virtual resolution"));
        auto* title = new QLabel(tr("<h2>A page at any screen size</h2>"), this);
        auto* text = new QLabel(tr("Choose the virtual resolution mode and a size in the "
                                   "settings: the page is laid out at that size and scaled "
                                   "to fit its window."),
            this);
        text->setWordWrap(true);
        auto* settings = new QPushButton(tr("Settings..."), this);
        auto* fullScreen = new QCheckBox(tr("Full screen"), this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(title);
        layout->addWidget(text);
        layout->addStretch(1);
        layout->addWidget(fullScreen);
        layout->addWidget(settings);

        connect(settings, &QPushButton::clicked, host,
            &DORuverud::HybridWidget::slotShowSettingsDialog);
        connect(fullScreen, &QCheckBox::toggled, host,
            &DORuverud::HybridWidget::slotShowFullScreenMode);
    }
};

GalleryPages::Entry entry("resolution", [] {
    auto* host = new DORuverud::HybridWidget;
    host->setWidget(new ResolutionPage(host));
    host->resize(480, 320);
    return host;
});

} // namespace

#include "ResolutionGallery.moc"
