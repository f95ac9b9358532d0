#pragma once

#include "PictureReader.h"

#include <QColor>
#include <QImage>
#include <QRect>

// A painted picture read as a user reads a missing one: the sign is where
// the pixels of the missing picture's frame are, the text what is drawn
// under the sign on the dark-gray ground. Inside leaves a view's own frame
// out.
struct MissingSign
{
    explicit MissingSign(const QImage& image, QRect inside = QRect())
        : image(image.convertToFormat(QImage::Format_RGB32))
        , inside(inside.isNull() ? image.rect() : inside)
    {
        const QColor frame = DAvuroD::PictureReader::missing().pixelColor(0, 0);
        for (int y = this->inside.top(); y <= this->inside.bottom(); ++y)
            for (int x = this->inside.left(); x <= this->inside.right(); ++x)
                if (this->image.pixelColor(x, y) == frame)
                    sign |= QRect(x, y, 1, 1);
        for (int y = sign.bottom() + 1; sign.isValid() && y <= this->inside.bottom(); ++y)
            for (int x = this->inside.left(); x <= this->inside.right(); ++x)
                if (this->image.pixelColor(x, y) != QColor(Qt::darkGray))
                    text |= QRect(x, y, 1, 1);
    }

    // A square sign in the middle of the width, at least as large as the
    // frame it is made of.
    bool signInTheMiddle() const
    {
        return sign.width() == sign.height() && sign.width() >= 16
            && qAbs(sign.center().x() - inside.center().x()) <= 1;
    }

    // Text under the sign, whole inside.
    bool textUnderSign() const
    {
        return text.isValid() && text.top() > sign.bottom() && text.left() > inside.left()
            && text.right() < inside.right() && text.bottom() < inside.bottom();
    }

    // How many pixels inside are of the colour.
    int count(const QColor& colour) const
    {
        int pixels = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                pixels += image.pixelColor(x, y) == colour;
        return pixels;
    }

    QString describe() const
    {
        return QStringLiteral("sign %1,%2 %3x%4, text %5,%6 %7x%8 in %9x%10")
            .arg(sign.x())
            .arg(sign.y())
            .arg(sign.width())
            .arg(sign.height())
            .arg(text.x())
            .arg(text.y())
            .arg(text.width())
            .arg(text.height())
            .arg(inside.width())
            .arg(inside.height());
    }

    QImage image;
    QRect inside;
    QRect sign;
    QRect text;
};
