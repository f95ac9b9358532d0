// The smallest Qt widgets program, the yardstick of the chord window's
// whole-process figures: a 620 x 620 window that ends at its first painted
// frame (--first-frame) or half a second after it (--tour). It prints
// "painted" and its memory figures (see PeakMemory.h).
#include "PeakMemory.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class Window : public QWidget
{
public:
    explicit Window(int settleMs)
        : m_settleMs(settleMs)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_painted)
            return;
        m_painted = true;
        QTimer::singleShot(m_settleMs, [] {
            std::fputs(memoryReport().constData(), stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

private:
    int m_settleMs;
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window window(app.arguments().contains(QStringLiteral("--tour")) ? 500 : 0);
    window.resize(620, 620);
    window.setWindowTitle(QStringLiteral("Tessivar"));
    window.show();
    return app.exec();
}
