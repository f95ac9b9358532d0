#include "ViewerPage.h"

#include "MissingPicture.h"
#include "PictureReader.h"
#include "SimpleViewer.h"
#include "Thumbnail.h"
#include "Viewer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QSize thumbnailSize(116, 80);

} // namespace

ViewerPage::ViewerPage(const QStringList& files, QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Image viewer"));
    m_viewer = new ZEReruzo::Viewer(this);
    m_viewer->setMinimumSize(560, 420);
    m_stretched = new ZEReruzo::SimpleViewer(this);
    m_stretched->setFixedSize(240, 120);
    auto* hint = new QLabel(tr("Page Up: next, Page Down or Space: previous, Escape: hide.\n"
                               "Right-click: slide show. Double-click: show again."),
        this);
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(tr("Stretched:"), this));
    side->addWidget(m_stretched);
    side->addWidget(new QLabel(tr("Thumbnails:"), this));
    side->addLayout(thumbnailGrid(files));
    side->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_viewer, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(hint);

    connect(m_viewer, &ZEReruzo::Viewer::hideMe, m_viewer, &QWidget::hide);
    connect(m_viewer, &ZEReruzo::Viewer::showItem, m_viewer, &QWidget::show);
    if (!files.isEmpty())
        m_viewer->displayItem(files.first());
    m_viewer->slotSetItems(files);
    m_stretched->slotSetItem(files.value(1));
}

QGridLayout* ViewerPage::thumbnailGrid(const QStringList& files)
{
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    for (int i = 0; i < files.size() && i < 6; ++i) {
        const int w = thumbnailSize.width();
        const int h = thumbnailSize.height();
        QString refusal;
        const QImage picture
            = DAvuroD::PictureReader::readFitted(files.at(i), thumbnailSize, &refusal);
        auto* label = new QLabel(this);
        label->setPixmap(refusal.isEmpty() ? ZEReruzo::Thumbnail(w, h, picture)
                                           : ZEReruzo::MissingPicture::thumbnail(w, h));
        label->setToolTip(ZEReruzo::MissingPicture::text(refusal));
        grid->addWidget(label, i / 2, i % 2);
    }
    return grid;
}
