#pragma once

#include <QFrame>

namespace VADirur {

class NotesWidget;

// The grand staff in a frame with a margin; passes its signal and slot through.
class DecoratedNotesWidget : public QFrame
{
    Q_OBJECT

public:
    explicit DecoratedNotesWidget(QWidget* parent);

    NotesWidget* notesWidget() const;

signals:
    void noteChanged(const QString& name, int accidental);

public slots:
    void slotShowNote(const QString& name, int accidental);

private:
    NotesWidget* m_pNotesWidget;
};

} // namespace VADirur
