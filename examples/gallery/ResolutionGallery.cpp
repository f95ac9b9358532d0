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
        // Lines of their own rather than wrapped: a window's least height
        // leaves out what a wrapped text needs at its width.
        auto* text = new QLabel(tr("Choose the virtual resolution mode and a size in the\n"
                                   "settings: the page is laid out at that size and\n"
                                   "scaled to fit its window."),
            this);
        m_size = new QLabel(this);
        m_size->setAlignment(Qt::AlignCenter);
        QFont large = m_size->font();
        large.setPixelSize(48);
        large.setBold(true);
        m_size->setFont(large);
        auto* settings = new QPushButton(tr("Settings..."), this);
        auto* fullScreen = new QCheckBox(tr("Full screen"), this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(title);
        layout->addWidget(text);
        layout->addWidget(m_size, 1);
        layout->addWidget(fullScreen);
        layout->addWidget(settings);

        connect(settings, &QPushButton::clicked, host,
            &DORuverud::HybridWidget::slotShowSettingsDialog);
        connect(fullScreen, &QCheckBox::toggled, host,
            &DORuverud::HybridWidget::slotShowFullScreenMode);
    }

protected:
    // The size the page is laid out at, so that the scaling shows.
    void resizeEvent(QResizeEvent* event) override
    {
        m_size->setText(tr("%1 × %2").arg(width()).arg(height()));
        QWidget::resizeEvent(event);
    }

private:
    QLabel* m_size;
};

GalleryPages::Entry entry("resolution", [] {
    auto* host = new DORuverud::HybridWidget;
    host->setWidget(new ResolutionPage(host));
    host->resize(480, 320);
    return host;
});

} // namespace

#include "ResolutionGallery.moc"
