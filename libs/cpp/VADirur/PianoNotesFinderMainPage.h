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
    // At least 200 × 200, and as large as the bar, the staff and the
    // keyboard need to show whole.
    QSize minimumSizeHint() const override;

private:
    PianoNotesFinder* m_pNotesFinder;
};

} // namespace VADirur
