#pragma once

#include "PreviewArea.h"

#include <QList>
#include <QString>

class QTimer;

namespace ZEReruzo {

// A preview area that steps through a list of picture files by keys and as a
// slide show. Space and Page Down go back, Page Up goes on, Escape asks to be
// hidden; any key or mouse press stops the slide show.
class Viewer : public PreviewArea
{
    Q_OBJECT

public:
    explicit Viewer(QWidget* parent = nullptr);

signals:
    void hideMe();

public slots:
    // Nothing is shown; the position becomes the path shown now, or none.
    void slotSetItems(QList<QString> strLst);
    // Starts or stops the slide show, one step back every 5000 ms.
    void slotSlideShow();
    void slotShowNext();
    void slotShowPrevious();

protected slots:
    void slotTimeOut();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Moves by one entry, wrapping at both ends, and shows the entry.
    void step(int direction);
    void stopSlideShow();

    // Index into the list; the list's size when the shown path is not in it.
    int m_nPosition = 0;
    QList<QString> m_lstItems;
    QTimer* m_pTimer;
};

} // namespace ZEReruzo
