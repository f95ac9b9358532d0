#pragma once

#include <QFrame>

class QStackedWidget;

namespace VADirur {

class BalalaikaTuner;
class BanjoTuner;
class BassGuitarTuner;
class CelloTuner;
class DombraTuner;
class DoubleBassTuner;
class GuitarTuner;
class MandolinTuner;
class TunerBasePage;
class TunersExplorer;
class UkuleleTuner;
class ViolaTuner;
class ViolinTuner;

// The string tuner as a complete page for a host window: the instrument
// chooser, a separator and the eleven instrument pages, the guitar's in
// front. Installs the tuner's style sheet on the application and keeps its
// size in the settings ("Width", "Height"), widened when its fonts need more.
class TunersMainPage : public QFrame
{
    Q_OBJECT

public:
    TunersMainPage(QWidget* parent, bool hideExplorer);

    void hideAppOptionsOnEachPage();

public slots:
    void slotShowViolin();
    void slotShowViola();
    void slotShowCello();
    void slotShowDoubleBass();
    void slotShowGuitar();
    void slotShowBassGuitar();
    void slotShowUkulele();
    void slotShowBanjo();
    void slotShowBalalaika();
    void slotShowMandolin();
    void slotShowDombra();
    // Passes repeat mode to every page, shown or not.
    void slotSetRepeatMode(bool on);
    // Opens the chord application's page in the application store.
    void slotGotoPromotedApp();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectExplorer(TunersExplorer* explorer);
    void fitStackToStrips();
    static QFrame* makeSeparator();
    QList<TunerBasePage*> pages() const;

    ViolinTuner* m_pViolin;
    ViolaTuner* m_pViola;
    CelloTuner* m_pCello;
    DoubleBassTuner* m_pDoubleBass;
    GuitarTuner* m_pGuitar;
    BassGuitarTuner* m_pBassGuitar;
    UkuleleTuner* m_pUkulele;
    BanjoTuner* m_pBanjo;
    BalalaikaTuner* m_pBalalaika;
    MandolinTuner* m_pMandolin;
    DombraTuner* m_pDombra;
    QStackedWidget* m_pStack;
};

} // namespace VADirur
