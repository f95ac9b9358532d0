#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// Icons of the promotion bar, the share and join buttons, the menu links
// and the program's own symbol.
namespace BarIconArt {

// kind: "AppButton", "MoreAppsButton", "RateButton", "share", "join",
// "Help" or "More".
QImage barIcon(const QString& kind, bool hover);
// network: "facebook", "twitter", "vkontakte" or "email".
QImage socialButton(const QString& network, bool join, bool hover);
// key: the file name of a "More" menu link icon without its suffix.
QImage linkIcon(const QString& key);
// The program's symbol: a chord diagram on a dark rounded tile.
void drawAppSymbol(QPainter& painter, const QRectF& rect);

} // namespace BarIconArt
