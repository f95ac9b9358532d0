#pragma once

#include <QFrame>
#include <QVector>

class QLabel;

namespace VADirur {

// A row of twelve beat lamps; those in use stand centred in the row, as
// large as its width lets them (50 pixels at most), and the current one is
// lit (enabled). The row asks for no width of its own: it takes what its
// parent gives it.
class MetronomeBeats : public QFrame
{
    Q_OBJECT

public:
    explicit MetronomeBeats(QWidget* parent);

    // Lights the lamp of that index, from 0; an index beyond the lamps is ignored.
    void setCurrentBeat(int index);
    int count() const;

public slots:
    // Shows the first n lamps; more than twelve is ignored.
    void slotSetBeats(int n);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Sizes the lamps in use, and the gaps between them, to the row's width.
    void fitLamps();

    QVector<QLabel*> m_vecBeats;
    int m_nCount = 0;
};

} // namespace VADirur
