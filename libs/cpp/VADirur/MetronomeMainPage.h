#pragma once

#include <QFrame>

namespace DORuverud {
class PromoMenuBar;
}

namespace VADirur {

class Metronome;

// The complete metronome page: the promotion bar over the metronome.
class MetronomeMainPage : public QFrame
{
    Q_OBJECT

public:
    explicit MetronomeMainPage(QWidget* parent);

    DORuverud::PromoMenuBar* promoMenuBar() const;
    // At least 200 × 200, and as large as the bar and the metronome's
    // controls need to show whole.
    QSize minimumSizeHint() const override;

private:
    DORuverud::PromoMenuBar* m_pPromoMenuBar;
    Metronome* m_pMetronome;
};

} // namespace VADirur
