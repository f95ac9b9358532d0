#pragma once

#include <QFrame>

namespace VADirur {

class DecoratedNotesWidget;
class PianoBoard;

// The grand staff between two side pictures over the 88-key keyboard; a note
// chosen on either is shown on the other.
class PianoNotesFinder : public QFrame
{
    Q_OBJECT

public:
    explicit PianoNotesFinder(QWidget* parent);

private:
    DecoratedNotesWidget* m_pNotesWidget;
    PianoBoard* m_pPianoBoard;
};

} // namespace VADirur
