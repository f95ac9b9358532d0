#pragma once

#include <QFrame>

class ItemsPanel;
class QStackedWidget;

namespace VADirur {
class BalalaikaChordsMainPage;
class BanjoChordsMainPage;
class BaseMainPage;
class BassChordsMainPage2;
class ChordsMainPage;
class GuitarChordsMainPage;
class MandolinChordsMainPage;
class PianoChordsMainPage;
class UkuleleChordsMainPage;
} // namespace VADirur

// The main window: the instrument selector beside the stack of the seven
// chord pages. Switching instruments carries the chord, the chord sequence
// and its position over to the page shown next.
class MainPage : public QFrame
{
    Q_OBJECT

public:
    explicit MainPage(QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void slotItemChanged(const QString& name);

private:
    void addMenuLinks(VADirur::BaseMainPage* page, const QString& instrument);
    VADirur::ChordsMainPage* pageOfItem(const QString& name) const;

    ItemsPanel* m_itemsPanel;
    QStackedWidget* m_pages;
    VADirur::BassChordsMainPage2* m_bassPage;
    VADirur::BalalaikaChordsMainPage* m_balalaikaPage;
    VADirur::BanjoChordsMainPage* m_banjoPage;
    VADirur::GuitarChordsMainPage* m_guitarPage;
    VADirur::MandolinChordsMainPage* m_mandolinPage;
    VADirur::PianoChordsMainPage* m_pianoPage;
    VADirur::UkuleleChordsMainPage* m_ukulelePage;
};
