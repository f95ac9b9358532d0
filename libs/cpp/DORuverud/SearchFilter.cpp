#include "SearchFilter.h"

#include "Common.h"
#include "KitPictures.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace DORuverud {

SearchFilter::SearchFilter(QWidget* parent)
    : QLineEdit(parent)
    , m_pClearButton(new QPushButton)
{
    Common::extend(this, QStringLiteral("SearchFilter"), tr("Search Filter"));
    m_pClearButton->hide();
    m_pClearButton->setCursor(Qt::ArrowCursor);
    m_pClearButton->setMouseTracking(true);
    m_pClearButton->setFlat(true);
    m_pClearButton->setFixedSize(16, 16);
    Common::extend(m_pClearButton, QStringLiteral("SearchFilterDel"), tr("Clear"));
    connect(m_pClearButton, &QPushButton::clicked, this, &SearchFilter::slotClearClicked);
    connect(this, &QLineEdit::textChanged, this, &SearchFilter::slotTextChanged);
    auto* close = new QAction(QStringLiteral("Close"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close, &QAction::triggered, this, &SearchFilter::slotClearClicked);
    addAction(close);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    layout->addWidget(m_pClearButton);
}

void SearchFilter::slotTextChanged(QString text)
{
    if (m_pClearButton->isHidden())
        m_pClearButton->show();
    else if (text.isEmpty())
        m_pClearButton->hide();
}

void SearchFilter::slotClearClicked()
{
    clear();
    m_pClearButton->hide();
}

void SearchFilter::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!text().isEmpty())
        return;
    QPainter painter(this);
    if (!hasFocus()) {
        painter.setPen(Qt::white);
        painter.drawText(
            QRect(5, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter, tr("Search:"));
    }
    const int h = height();
    const QPixmap magnifier(QStringLiteral(":/") + KitPictures::searchIcon());
    if (!magnifier.isNull())
        painter.drawPixmap(width() - h, 0,
            magnifier.scaled(h, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace DORuverud
