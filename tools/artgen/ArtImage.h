#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class ArtWriter;
class QPainter;

// Pictures painted on a transparent ground.
namespace ArtImage {

// A transparent picture, ready to paint on.
QImage blank(int width, int height);

using IconPainter = std::function<void(QPainter*)>;

// Paints each icon, antialiased, into a blank size x size picture and saves
// it into the resource tree under its name.
void saveIcons(ArtWriter& writer, int size, const QList<QPair<QString, IconPainter>>& icons);

} // namespace ArtImage
