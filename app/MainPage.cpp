#include "MainPage.h"

#include "App.h"
#include "AppMenu.h"
#include "BalalaikaChordsMainPage.h"
#include "BanjoChordsMainPage.h"
#include "BassChordsMainPage2.h"
#include "GuitarChordsMainPage.h"
#include "ItemsPanel.h"
#include "MandolinChordsMainPage.h"
#include "MoreMenuLinks.h"
#include "PianoChordsMainPage.h"
#include "PromoMenuBar.h"
#include "UkuleleChordsMainPage.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QStackedWidget>

using DORuverud::App;

// A stored size larger than the screen's free area shrinks to it; the
// layout keeps the window at least at its minimum once it is shown.
static QSize fittedSize(const QSize& stored)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? stored.boundedTo(screen->availableGeometry().size()) : stored;
}

MainPage::MainPage(QWidget* parent)
    : QFrame(parent)
{
    m_itemsPanel = new ItemsPanel(nullptr);
    m_pages = new QStackedWidget(nullptr);
    connect(m_itemsPanel, &ItemsPanel::itemChanged, this, &MainPage::slotItemChanged);

    // The pages build their content when first shown: the piano page now.
    VADirur::ChordsMainPage::setContentDeferred(true);
    m_bassPage = new VADirur::BassChordsMainPage2(nullptr);
    m_balalaikaPage = new VADirur::BalalaikaChordsMainPage(nullptr);
    m_banjoPage = new VADirur::BanjoChordsMainPage(nullptr);
    m_guitarPage = new VADirur::GuitarChordsMainPage(nullptr);
    m_mandolinPage = new VADirur::MandolinChordsMainPage(nullptr);
    m_pianoPage = new VADirur::PianoChordsMainPage(nullptr);
    m_ukulelePage = new VADirur::UkuleleChordsMainPage(nullptr);
    VADirur::ChordsMainPage::setContentDeferred(false);
    for (QWidget* page : std::initializer_list<QWidget*> {m_pianoPage, m_bassPage, m_balalaikaPage,
             m_banjoPage, m_guitarPage, m_mandolinPage, m_ukulelePage})
        m_pages->addWidget(page);

    // The links go first, so they stand above the shop entries.
    const QList<QPair<VADirur::BaseMainPage*, QString>> menus
        = {{m_guitarPage, QStringLiteral("guitar")}, {m_balalaikaPage, QStringLiteral("balalaika")},
            {m_ukulelePage, QStringLiteral("ukulele")}, {m_banjoPage, QStringLiteral("banjo")},
            {m_pianoPage, QStringLiteral("piano")}, {m_mandolinPage, QStringLiteral("mandolin")},
            {m_bassPage, QStringLiteral("bass")}};
    for (const auto& menu : menus) {
        addMenuLinks(menu.first, menu.second);
        menu.first->addShopMenu();
    }

    QHBoxLayout* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_itemsPanel);
    layout->addWidget(m_pages);
    setLayout(layout);

    App* app = App::theApp();
    resize(fittedSize(QSize(app->settingsValue(QStringLiteral("Width"), 620).toInt(),
        app->settingsValue(QStringLiteral("Height"), 620).toInt())));
    app->showHelpOnStart();
}

void MainPage::addMenuLinks(VADirur::BaseMainPage* page, const QString& instrument)
{
    DORuverud::PromoMenuBar* bar = page->promoMenuBar();
    const auto links = VADirur::MoreMenuLinks::webLinks(instrument);
    for (const VADirur::MoreMenuLinks::Link& link : links)
        bar->addMenuLink(DORuverud::AppMenu::menuIcon(QStringLiteral(":/") + link.icon), link.title,
            link.address);
    const auto appLinks = VADirur::MoreMenuLinks::appLinks(instrument);
    for (const VADirur::MoreMenuLinks::AppLink& link : appLinks)
        bar->addMenuAppLink(DORuverud::AppMenu::menuIcon(QStringLiteral(":/") + link.icon),
            link.title, link.appName, link.appId);
}

// Every resize stores both sides.
void MainPage::resizeEvent(QResizeEvent* event)
{
    App* app = App::theApp();
    app->setSettingsValue(QStringLiteral("Width"), event->size().width());
    app->setSettingsValue(QStringLiteral("Height"), event->size().height());
    QWidget::resizeEvent(event);
}

VADirur::ChordsMainPage* MainPage::pageOfItem(const QString& name) const
{
    const QList<QPair<const char*, VADirur::ChordsMainPage*>> pages
        = {{"PianoItem", m_pianoPage}, {"BassItem", m_bassPage}, {"BalalaikaItem", m_balalaikaPage},
            {"BanjoItem", m_banjoPage}, {"GuitarItem", m_guitarPage},
            {"MandolinItem", m_mandolinPage}, {"UkuleleItem", m_ukulelePage}};
    for (const auto& page : pages) {
        if (name == QLatin1String(page.first))
            return page.second;
    }
    return nullptr;
}

// The shown page's chord, sequence and position go over to the new page.
void MainPage::slotItemChanged(const QString& name)
{
    QString chord = QStringLiteral("A");
    QStringList sequence;
    int position = 0;
    if (auto* current = qobject_cast<VADirur::ChordsMainPage*>(m_pages->currentWidget())) {
        chord = current->currentChord();
        sequence = current->currentTransposerChords();
        position = current->currentTransposerChordIndex();
    }
    VADirur::ChordsMainPage* target = pageOfItem(name);
    if (!target)
        return;
    target->setCurrentTransposerChords(sequence);
    target->setCurrentTransposerChordIndex(position);
    target->recreateFavoritesMenu();
    target->setCurrentChord(chord);
    target->updateTransposerState();
    m_pages->setCurrentWidget(target);
}
