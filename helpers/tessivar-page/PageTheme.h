#pragma once

#include <QFont>
#include <qpa/qplatformtheme.h>

// The helper's platform theme, in place of the offscreen platform's: it
// gives the font the window shows code in, which Qt's reader of HTML asks
// for at each element of code. The offscreen platform has none and asks
// the system's font configuration anew each time, with its default face.
class PageTheme : public QPlatformTheme
{
public:
    // Set once the application is, for the rest of the helper's life.
    static PageTheme* install();

    void setFixedFont(const QFont& font);
    const QFont* font(Font type) const override;

private:
    QFont m_fixed;
};
