// The rich-text editor's fall-back icons, 32 x 32.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "TextEditIcons.h"

#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>

namespace {

const int iconSize = 32;
const QColor ink(52, 56, 66);
const QColor blue(46, 112, 200);

QPen line(const QColor& colour, qreal width = 1.5)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient shade(const QColor& colour, qreal top = 2, qreal bottom = 30)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, colour.lighter(130));
    gradient.setColorAt(1.0, colour.darker(115));
    return gradient;
}

// A sheet of paper with a folded corner.
void page(QPainter* p, const QRectF& r)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath sheet(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p->setPen(line(QColor(120, 124, 132), 1.2));
    p->setBrush(QColor(252, 252, 250));
    p->drawPath(sheet);
    QPainterPath corner(QPointF(r.right() - fold, r.top()));
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p->setBrush(QColor(214, 218, 224));
    p->drawPath(corner);
}

void pageLines(QPainter* p, const QRectF& r, int count)
{
    p->setPen(line(QColor(150, 160, 176), 1.2));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + r.height() * (0.4 + 0.15 * i);
        p->drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void fileNew(QPainter* p)
{
    page(p, QRectF(6, 3, 19, 26));
    p->setPen(line(QColor(230, 170, 20), 2));
    const QPointF c(23, 23);
    for (int i = 0; i < 4; ++i) {
        const QPointF d = i < 2 ? QPointF(i ? 5 : 0, i ? 0 : 5) : QPointF(i == 2 ? 3.5 : -3.5, 3.5);
        p->drawLine(c - d, c + d);
    }
}

void fileOpen(QPainter* p)
{
    const QColor folder(232, 180, 60);
    p->setPen(line(folder.darker(150), 1.2));
    p->setBrush(shade(folder.darker(110)));
    QPainterPath back(QPointF(3, 8));
    back.lineTo(11, 8);
    back.lineTo(13, 11);
    back.lineTo(26, 11);
    back.lineTo(26, 27);
    back.lineTo(3, 27);
    back.closeSubpath();
    p->drawPath(back);
    p->setBrush(shade(folder, 14, 28));
    QPainterPath front(QPointF(7, 15));
    front.lineTo(30, 15);
    front.lineTo(26, 27);
    front.lineTo(3, 27);
    front.closeSubpath();
    p->drawPath(front);
}

void fileSave(QPainter* p)
{
    p->setPen(line(blue.darker(150), 1.2));
    p->setBrush(shade(blue));
    p->drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p->setBrush(QColor(250, 250, 250));
    p->drawRect(QRectF(8, 4, 16, 10));
    p->setBrush(QColor(200, 205, 212));
    p->drawRect(QRectF(9, 19, 14, 9));
    p->setPen(Qt::NoPen);
    p->setBrush(blue.darker(140));
    p->drawRect(QRectF(18, 6, 3, 6));
}

void filePrint(QPainter* p)
{
    page(p, QRectF(9, 3, 14, 12));
    const QColor body(150, 154, 162);
    p->setPen(line(body.darker(160), 1.2));
    p->setBrush(shade(body, 11, 25));
    p->drawRoundedRect(QRectF(3, 11, 26, 14), 3, 3);
    p->setBrush(QColor(252, 252, 250));
    p->drawRect(QRectF(8, 20, 16, 9));
    p->setPen(Qt::NoPen);
    p->setBrush(QColor(90, 200, 90));
    p->drawEllipse(QPointF(25, 15), 1.5, 1.5);
}

void exportPdf(QPainter* p)
{
    page(p, QRectF(6, 3, 20, 26));
    p->setPen(Qt::NoPen);
    p->setBrush(QColor(200, 40, 40));
    p->drawRoundedRect(QRectF(3, 16, 22, 10), 2, 2);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p->setFont(font);
    p->setPen(Qt::white);
    p->drawText(QRectF(3, 16, 22, 10), Qt::AlignCenter, QStringLiteral("PDF"));
}

void arrow(QPainter* p, bool back)
{
    if (!back) {
        p->translate(iconSize, 0);
        p->scale(-1, 1);
    }
    QPainterPath curve(QPointF(9, 14));
    curve.cubicTo(15, 6, 29, 9, 27, 22);
    curve.cubicTo(26, 25, 24, 27, 22, 28);
    p->setPen(line(blue, 4));
    p->setBrush(Qt::NoBrush);
    p->drawPath(curve);
    QPainterPath head(QPointF(3, 8));
    head.lineTo(14, 20);
    head.lineTo(3, 21);
    head.closeSubpath();
    p->setPen(line(blue, 1));
    p->setBrush(blue);
    p->drawPath(head);
}

void editCut(QPainter* p)
{
    p->setPen(line(QColor(150, 156, 166), 2.5));
    p->drawLine(QPointF(9, 3), QPointF(20, 21));
    p->drawLine(QPointF(23, 3), QPointF(12, 21));
    p->setPen(line(QColor(200, 50, 50), 2.5));
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(QPointF(9, 24), 4.5, 4.5);
    p->drawEllipse(QPointF(23, 24), 4.5, 4.5);
}

void editCopy(QPainter* p)
{
    page(p, QRectF(4, 3, 16, 20));
    page(p, QRectF(12, 9, 16, 20));
    pageLines(p, QRectF(12, 9, 16, 20), 3);
}

void editPaste(QPainter* p)
{
    const QColor board(176, 128, 80);
    p->setPen(line(board.darker(150), 1.2));
    p->setBrush(shade(board));
    p->drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
    p->setBrush(QColor(170, 174, 182));
    p->drawRoundedRect(QRectF(9, 3, 10, 5), 1.5, 1.5);
    page(p, QRectF(13, 11, 16, 19));
    pageLines(p, QRectF(13, 11, 16, 19), 3);
}

void letter(QPainter* p, const QString& text, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(26);
    font.setBold(bold);
    font.setItalic(italic);
    p->setFont(font);
    p->setPen(ink);
    p->drawText(QRectF(0, -2, iconSize, underline ? 28 : 32), Qt::AlignCenter, text);
    if (underline) {
        p->setPen(line(blue, 2.5));
        p->drawLine(QPointF(7, 28), QPointF(25, 28));
    }
}

// Five text lines; left and right give each line's start and end.
void alignedLines(QPainter* p, Qt::Alignment alignment)
{
    p->setPen(line(ink, 2.5));
    for (int i = 0; i < 5; ++i) {
        const qreal length = alignment == Qt::AlignJustify || i % 2 == 0 ? 24 : 15;
        qreal left = 4;
        if (alignment == Qt::AlignHCenter)
            left = 16 - length / 2;
        else if (alignment == Qt::AlignRight)
            left = 28 - length;
        const qreal y = 6 + i * 5;
        p->drawLine(QPointF(left, y), QPointF(left + length, y));
    }
}

QMap<QString, ArtImage::IconPainter> painters()
{
    return {
        {QStringLiteral("filenew.png"), fileNew},
        {QStringLiteral("fileopen.png"), fileOpen},
        {QStringLiteral("filesave.png"), fileSave},
        {QStringLiteral("fileprint.png"), filePrint},
        {QStringLiteral("exportpdf.png"), exportPdf},
        {QStringLiteral("editundo.png"), [](QPainter* p) { arrow(p, true); }},
        {QStringLiteral("editredo.png"), [](QPainter* p) { arrow(p, false); }},
        {QStringLiteral("editcut.png"), editCut},
        {QStringLiteral("editcopy.png"), editCopy},
        {QStringLiteral("editpaste.png"), editPaste},
        {QStringLiteral("textbold.png"), [](QPainter* p) { letter(p, "B", true, false, false); }},
        {QStringLiteral("textitalic.png"), [](QPainter* p) { letter(p, "I", false, true, false); }},
        {QStringLiteral("textunder.png"), [](QPainter* p) { letter(p, "U", false, false, true); }},
        {QStringLiteral("textleft.png"), [](QPainter* p) { alignedLines(p, Qt::AlignLeft); }},
        {QStringLiteral("textcenter.png"), [](QPainter* p) { alignedLines(p, Qt::AlignHCenter); }},
        {QStringLiteral("textright.png"), [](QPainter* p) { alignedLines(p, Qt::AlignRight); }},
        {QStringLiteral("textjustify.png"), [](QPainter* p) { alignedLines(p, Qt::AlignJustify); }},
    };
}

} // namespace

static ArtRegistry::Entry entry("text editor icons", [](ArtWriter& writer) {
    const QMap<QString, ArtImage::IconPainter> all = painters();
    const QString folder = TextEditIcons::folder().mid(2) + QLatin1Char('/');
    QList<QPair<QString, ArtImage::IconPainter>> icons;
    for (const QString& name : TextEditIcons::names()) {
        if (!all.contains(name))
            qFatal("no painter for %s", qPrintable(name));
        icons.append({folder + name, all.value(name)});
    }
    ArtImage::saveIcons(writer, iconSize, icons);
});
