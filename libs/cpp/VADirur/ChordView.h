#pragma once

#include <QFrame>
#include <QVector>

class QBoxLayout;

namespace VADirur {

class ChordStandardView;
class ChordTabView;
class ChordPhotoView;

// The chord three ways side by side (in one column in a pane higher than
// wide; in a row in a pane much wider than high), with the play button and
// the instrument picture in a column on the left.
class ChordView : public QFrame
{
    Q_OBJECT

public:
    explicit ChordView(QWidget* parent);

    // Call before the first setChordTabAndName: the drawings follow the name.
    void setInstrumentName(const QString& name);
    void setChordTabAndName(int index, const QVector<int>& tab, const QString& name);

    // Appends line to the support folder's fileName unless it is there.
    static void optimizationProtocol(const QString& fileName, const QString& line);

signals:
    void play();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ChordStandardView* standardView;
    ChordTabView* tabView;
    ChordPhotoView* photoView;
    QFrame* instrumentLabel;
    QString instrumentName;
    QFrame* options;
    QBoxLayout* drawings;
    QBoxLayout* pictures;
};

} // namespace VADirur
