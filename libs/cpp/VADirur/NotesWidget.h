#pragma once

#include <QFrame>
#include <QMap>
#include <QPixmap>
#include <QVector>

class QLabel;
class QPushButton;

namespace VADirur {

// The grand staff from A0 to E8: the note follows the pointer, is named in
// the label and reported with the accidental of the three buttons, and
// sounds on a click. slotShowNote() shows a note chosen elsewhere.
class NotesWidget : public QFrame
{
    Q_OBJECT

public:
    explicit NotesWidget(QWidget* parent);

    bool isFlat() const;
    bool isSharp() const;
    bool isNatural() const;
    int pianoLines() const;
    // The half-line of middle C, from the top.
    int c4() const;
    float linesHeight() const;
    float noteWidth() const;
    float shortLineWidth() const;
    // (10, y of the name's line or space); y 0 for a name not on the staff.
    QPoint nameToPos(const QString& name) const;
    void generateNamePosMap();
    // Labels and reports the note with the accidental of the buttons.
    void setNote(const QString& name, const QString& solfege);
    void setNoteLabel(const QString& name, const QString& solfege, int accidental);
    // Draws the note at the current position and names it.
    void drawNote(QPainter* painter);

signals:
    void noteChanged(const QString& name, int accidental);

public slots:
    void slotShowNote(const QString& name, int accidental);

private slots:
    void slotSetFlat();
    void slotSetSharp();
    void slotSetNatural();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* makeSignButton(const QString& objectName, void (NotesWidget::*slot)());
    void checkOnly(QPushButton* button);
    int accidental() const;
    void drawLines(QPainter* painter);
    void drawAccidental(QPainter* painter, float x, float y);

    QPoint m_currentPos;
    QVector<QString> m_vecSolfege;
    QString m_strCurrentNote;
    QLabel* m_pNoteLabel;
    QPushButton* m_pFlatButton;
    QPushButton* m_pSharpButton;
    QPushButton* m_pNaturalButton;
    QPixmap m_notePix;
    QMap<QString, int> m_mapNamePos;
};

} // namespace VADirur
