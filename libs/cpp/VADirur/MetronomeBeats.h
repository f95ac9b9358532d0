#pragma once

#include <QFrame>
#include <QVector>

class QLabel;

namespace VADirur {

// A row of twelve beat lamps; those in use line up from the left and the
// current one is lit (enabled).
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

private:
    QVector<QLabel*> m_vecBeats;
    int m_nCount = 0;
};

} // namespace VADirur
