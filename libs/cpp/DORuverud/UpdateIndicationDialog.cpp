#include "UpdateIndicationDialog.h"

#include "DialogPictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QTimer>

namespace DORuverud {

UpdateIndicationDialog::UpdateIndicationDialog(QWidget* parent)
    : QDialog(parent)
{
    m_timer = new QTimer(this);
    m_timer->setInterval(10000);
    connect(m_timer, &QTimer::timeout, this, &UpdateIndicationDialog::slotTimeOut);
    setMinimumHeight(70);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(0.8);

    m_animationLabel = new QLabel;
    m_textLabel = new QLabel;
    m_movie = new QMovie(
        DialogPictures::resource(DialogPictures::loadingAnimation()), QByteArray(), this);
    m_movie->setSpeed(300);
    m_animationLabel->setMovie(m_movie);

    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    layout->addWidget(m_animationLabel);
    layout->addWidget(m_textLabel);
    setLayout(layout);
}

UpdateIndicationDialog::~UpdateIndicationDialog()
{
    delete m_timer;
    delete m_animationLabel;
}

void UpdateIndicationDialog::setText(const QString& text)
{
    m_textLabel->setText(text);
}

void UpdateIndicationDialog::showEvent(QShowEvent* event)
{
    m_movie->start();
    m_animationLabel->setFixedSize(m_movie->currentPixmap().size());
    QDialog::showEvent(event);
    m_timer->start();
}

void UpdateIndicationDialog::hideEvent(QHideEvent* event)
{
    m_movie->stop();
    m_timer->stop();
    QWidget::hideEvent(event);
}

void UpdateIndicationDialog::slotTimeOut()
{
    accept();
}

} // namespace DORuverud
