#include "TopWidget.h"

#include "App.h"
#include "Common.h"
#include "IconLabel.h"
#include "TitleLabel.h"

#include <QAction>
#include <QBitmap>
#include <QBoxLayout>
#include <QMovie>
#include <QPushButton>

namespace DORuverud {

TopWidget::TopWidget(bool container, QWidget* parent)
    : QFrame(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    createButtons();
    createTitleBar();
    createContent(container);
}

TopWidget::~TopWidget() = default;

void TopWidget::createButtons()
{
    m_closeButton = new QPushButton;
    m_maximizeButton = new QPushButton;
    m_minimizeButton = new QPushButton;
    m_titleLabel = new TitleLabel;
    m_iconLabel = new IconLabel;
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_iconLabel->setFixedSize(24, 24);
    m_iconLabel->hide();

    Common::extend(m_closeButton, QStringLiteral("TopWidgetClose"), tr("Close"));
    Common::extend(m_maximizeButton, QStringLiteral("TopWidgetMaximize"), tr("Maximize"));
    Common::extend(m_minimizeButton, QStringLiteral("TopWidgetMinimize"), tr("Minimize"));
    for (QPushButton* button : {m_closeButton, m_maximizeButton, m_minimizeButton}) {
        button->setFixedSize(24, 24);
        button->setFlat(true);
    }
    connect(m_closeButton, &QPushButton::clicked, this, &TopWidget::reject);
    connect(m_maximizeButton, &QPushButton::clicked, this, &TopWidget::showMaximized);
    connect(m_minimizeButton, &QPushButton::clicked, this, &TopWidget::showMinimized);
}

void TopWidget::createTitleBar()
{
    Common::extend(m_titleLabel, QStringLiteral("TopWidgetTitle"), tr("Title"));
    m_titleLabel->setFixedHeight(28);
    m_titleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* bar = new QHBoxLayout(m_titleLabel);
    bar->setContentsMargins(1, 1, 1, 1);
    bar->setSpacing(1);
    if (App::isAppStore()) {
        bar->addWidget(m_closeButton);
        bar->addWidget(m_maximizeButton);
        bar->addWidget(m_minimizeButton);
        bar->addStretch(1);
        bar->addWidget(m_iconLabel);
        bar->addStretch(1);
    } else {
        bar->addWidget(m_iconLabel);
        bar->addStretch(1);
        bar->addWidget(m_minimizeButton);
        bar->addWidget(m_maximizeButton);
        bar->addWidget(m_closeButton);
    }
}

void TopWidget::createContent(bool container)
{
    if (!container) {
        m_topLayout = new QVBoxLayout;
        m_topLayout->setContentsMargins(1, 1, 1, 1);
        m_topLayout->setSpacing(1);
        m_topLayout->addWidget(m_titleLabel);
        setLayout(m_topLayout);
        return;
    }
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("TopOverWidget"));
    m_topLayout = new QVBoxLayout(content);
    m_topLayout->setContentsMargins(0, 0, 0, 0);
    m_topLayout->setSpacing(0);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleLabel);
    layout->addWidget(content);
    setLayout(layout);
}

QVBoxLayout* TopWidget::topLayout() const
{
    return m_topLayout;
}

void TopWidget::setTitleLabel(const QString& title)
{
    m_titleLabel->setText(title);
    setWindowTitle(title);
}

void TopWidget::setTitleHeight(int height)
{
    m_titleLabel->setFixedHeight(height);
}

void TopWidget::setIcon(const QPixmap& icon)
{
    m_iconLabel->setPixmap(icon.scaled(24, 24, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    m_iconLabel->show();
}

void TopWidget::hideClose()
{
    m_closeButton->hide();
}

void TopWidget::hideMaximize()
{
    m_maximizeButton->hide();
}

void TopWidget::hideMinimize()
{
    m_minimizeButton->hide();
}

void TopWidget::showClose()
{
    m_closeButton->show();
}

void TopWidget::showMaximize()
{
    m_maximizeButton->show();
}

void TopWidget::showMinimize()
{
    m_minimizeButton->show();
}

void TopWidget::setDecoration(QWidget* decoration, const QPoint& offset)
{
    m_titleLabel->setDecoration(decoration, offset);
}

void TopWidget::setDecoration(QMovie* movie, const QPoint& offset)
{
    auto* label = new QLabel;
    label->setMovie(movie);
    movie->start();
    const QPixmap frame = movie->currentPixmap();
    label->setFixedSize(frame.size());
    label->setAutoFillBackground(false);
    label->setMask(frame.mask());
    m_titleLabel->setDecoration(label, offset);
}

void TopWidget::setDecoration(const QPixmap& pixmap, const QPoint& offset)
{
    auto* label = new QLabel;
    label->setPixmap(pixmap);
    label->setFixedSize(pixmap.size());
    label->setAutoFillBackground(false);
    label->setMask(pixmap.mask());
    m_titleLabel->setDecoration(label, offset);
}

int TopWidget::exec()
{
    setAttribute(Qt::WA_ShowModal);
    show();
    if (!m_escapeAction) {
        m_escapeAction = new QAction(this);
        m_escapeAction->setShortcut(Qt::Key_Escape);
        connect(m_escapeAction, &QAction::triggered, this, &TopWidget::reject);
        addAction(m_escapeAction);
    }
    const int result = m_eventLoop.exec(QEventLoop::DialogExec);
    hide();
    return result;
}

void TopWidget::accept()
{
    if (m_eventLoop.isRunning())
        m_eventLoop.exit(1);
}

void TopWidget::reject()
{
    if (m_eventLoop.isRunning())
        m_eventLoop.exit(0);
    else
        hide();
}

} // namespace DORuverud
