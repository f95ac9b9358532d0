#include "HeldCursor.h"

#include <QGuiApplication>

namespace DORuverud {

HeldCursor::~HeldCursor()
{
    release();
}

void HeldCursor::hold(const QCursor& cursor)
{
    if (m_held) {
        QGuiApplication::changeOverrideCursor(cursor);
        return;
    }
    QGuiApplication::setOverrideCursor(cursor);
    m_held = true;
}

void HeldCursor::release()
{
    if (!m_held)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_held = false;
}

} // namespace DORuverud
