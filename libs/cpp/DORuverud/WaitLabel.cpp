#include "WaitLabel.h"

#include "DialogPictures.h"

#include <QMovie>
#include <QVBoxLayout>

namespace DORuverud {

WaitLabel::WaitLabel(const QString& text, QWidget* parent)
    : QLabel(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(0.5);
    setText(text);
    setFixedSize(width(), 300);

    auto* animationLabel = new QLabel;
    auto* movie = new QMovie(
        DialogPictures::resource(DialogPictures::loadingAnimation()), QByteArray(), this);
    animationLabel->setMovie(movie);
    movie->start();
    animationLabel->setFixedSize(movie->currentPixmap().size() + QSize(5, 5));

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(10);
    layout->addWidget(animationLabel);
    setLayout(layout);
}

} // namespace DORuverud
