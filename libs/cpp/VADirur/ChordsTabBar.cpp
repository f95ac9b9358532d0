#include "ChordsTabBar.h"

namespace VADirur {

ChordsTabBar::ChordsTabBar(QWidget* parent)
    : QTabBar(parent)
{
    // A release while a neighbouring tab still slides leaves the drag to be
    // finished by the next pointer move, which the bar must therefore see.
    setMouseTracking(true);
}

// Deliberately hands the release to the base class's press handler: that
// selects the tab under the pointer and finishes a tab drag, and the
// release handler is never run.
void ChordsTabBar::mouseReleaseEvent(QMouseEvent* event)
{
    QTabBar::mousePressEvent(event);
    emit tabClicked();
}

void ChordsTabBar::tabInserted(int index)
{
    QTabBar::tabInserted(index);
    emit countChanged(count());
}

void ChordsTabBar::tabRemoved(int index)
{
    QTabBar::tabRemoved(index);
    emit countChanged(count());
}

} // namespace VADirur
