#include "PageTheme.h"

#include <QFontDatabase>

#include <QtGui/private/qguiapplication_p.h>

PageTheme* PageTheme::install()
{
    auto* theme = new PageTheme;
    // As the platform gives it, until a page comes with the window's.
    theme->m_fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    delete QGuiApplicationPrivate::platform_theme;
    QGuiApplicationPrivate::platform_theme = theme;
    return theme;
}

void PageTheme::setFixedFont(const QFont& font)
{
    m_fixed = font;
}

const QFont* PageTheme::font(Font type) const
{
    return type == FixedFont ? &m_fixed : QPlatformTheme::font(type);
}
