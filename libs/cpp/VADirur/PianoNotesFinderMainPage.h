#pragma once

#include "BaseMainPage.h"

namespace VADirur {

class PianoNotesFinder;

// The complete note finder page: the promotion bar over the note finder,
// with the piano's shop links once the host called addShopMenu().
class PianoNotesFinderMainPage : public BaseMainPage
{
    Q_OBJECT

public:
    explicit PianoNotesFinderMainPage(QWidget* parent);

    void addShopMenu() override;

private:
    PianoNotesFinder* m_pNotesFinder;
};

} // namespace VADirur
