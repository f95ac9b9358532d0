#pragma once

#include <QTabBar>

namespace VADirur {

// The tab bar of the chord sequence: reports every mouse release over it
// and every change of its tab count.
class ChordsTabBar : public QTabBar
{
    Q_OBJECT

public:
    explicit ChordsTabBar(QWidget* parent = nullptr);

signals:
    void tabClicked();
    void countChanged(int count);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
};

} // namespace VADirur
