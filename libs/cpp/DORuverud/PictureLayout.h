#pragma once

#include <QObject>
#include <QTextObjectInterface>

// How a document laid out on the layout thread (KeptLayout) sizes and draws
// its pictures: as Qt does on the GUI thread, where a picture given one side
// keeps its proportions, so that the layout the window keeps is the one Qt
// makes there (Qt sizes pictures otherwise on other threads). A picture is
// what the document holds under its name, drawn at the size laid out.
class PictureLayout : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit PictureLayout(QObject* parent);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
        const QTextFormat& format) override;
};
