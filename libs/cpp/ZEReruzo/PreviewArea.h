#pragma once

#include "Thumbnail.h"

#include <QFrame>
#include <QPixmap>
#include <QString>

class QMenu;

namespace ZEReruzo {

// A framed area that shows one picture file scaled to its size, or, for a
// picture that is refused, the missing picture's sign with the reason, which
// is its tool tip too. A double click and the context menu's commands are
// reported by signals.
class PreviewArea : public QFrame
{
    Q_OBJECT

public:
    explicit PreviewArea(QWidget* parent = nullptr);

    // Shows the stored path again.
    virtual void refresh();
    // The picture as last painted, fitted to the widget.
    QPixmap pixmap() const;

signals:
    void showItem(QString strItem);
    void editItem(QString strItem);
    void rotateItem(QString strItem);
    void negateItem(QString strItem);
    // operation: the command's text as the menu holds it, "&Negate" for example.
    void operateItem(QString strItem, QString operation);

public slots:
    // A picture that PictureReader refuses shows as missing; a file that
    // does not load at all leaves everything as it was.
    void displayItem(QString str);
    // Shows the picture; the path stays as it was.
    void displayPixmap(QPixmap pix);
    void slotEditItem();
    void slotOperateItem();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    QString m_strPath = QStringLiteral("");
    Thumbnail m_source;
    QPixmap m_view;
    QMenu* m_pMenu;
    // Why the file shown is refused; empty while a picture shows.
    QString m_strRefusal;

private:
    void buildMenu();
    void setRefusal(const QString& refusal);
    // The source picture, or the missing sign, fitted to the widget.
    void makeView();
};

} // namespace ZEReruzo
