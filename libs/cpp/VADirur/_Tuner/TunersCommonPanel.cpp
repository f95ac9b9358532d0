#include "TunersCommonPanel.h"

#include "AboutDialog.h"
#include "App.h"
#include "PanelButton.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

namespace VADirur {

namespace {

// Every panel alive, so that a choice made in one shows in all.
QList<TunersCommonPanel*>& livePanels()
{
    static QList<TunersCommonPanel*> panels;
    return panels;
}

} // namespace

TunersCommonPanel::TunersCommonPanel(QWidget* parent)
    : QFrame(parent)
{
    livePanels().append(this);
    setObjectName(QStringLiteral("TunersCommonPanel"));
    m_pPitchButton = makePanelButton(tr("Pitch"));
    m_pRepeatCheckBox = new QCheckBox(tr("Repeat the Sounds"), this);
    m_pAppButton = makePanelButton(tr("App"));
    connect(
        m_pRepeatCheckBox, &QCheckBox::clicked, this, &TunersCommonPanel::slotRepeatModeChanged);
    m_pPitchButton->setMenu(makePitchMenu());
    m_pAppButton->setMenu(makeAppMenu());

    m_pLayout = new QHBoxLayout(this);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pLayout->setSpacing(2);
    m_pLayout->addStretch(1);
    m_pLayout->addWidget(m_pRepeatCheckBox);
    m_pLayout->addStretch(1);
    m_pLayout->addWidget(m_pPitchButton);
    m_pLayout->addStretch(1);
    m_pLayout->addWidget(m_pAppButton);
    m_pLayout->addStretch(1);

    DORuverud::App* app = DORuverud::App::theApp();
    setPitch(app->settingsValue(QStringLiteral("Pitch"), 440).toInt());
    m_pRepeatCheckBox->setChecked(app->settingsValue(QStringLiteral("Repeat"), false).toBool());
}

TunersCommonPanel::~TunersCommonPanel()
{
    livePanels().removeOne(this);
}

QPushButton* TunersCommonPanel::makePanelButton(const QString& text)
{
    return new PanelButton(text, this);
}

QMenu* TunersCommonPanel::makePitchMenu()
{
    struct Entry
    {
        const char* caption;
        void (TunersCommonPanel::*slot)();
    };
    static const Entry entries[] = {
        {QT_TR_NOOP("A4:415Hz (Baroque Pitch)"), &TunersCommonPanel::slotSetPitch415},
        {QT_TR_NOOP("A4:430Hz (Scientific Pitch)"), &TunersCommonPanel::slotSetPitch430},
        {QT_TR_NOOP("A4:435Hz (France1859 Pitch)"), &TunersCommonPanel::slotSetPitch435},
        {QT_TR_NOOP("A4:439Hz (New Philarmonic Pitch)"), &TunersCommonPanel::slotSetPitch439},
        {QT_TR_NOOP("A4:440Hz (Concert Pitch)"), &TunersCommonPanel::slotSetPitch440},
        {QT_TR_NOOP("A4:442Hz (Boston Symphony Orchestra Pitch)"),
            &TunersCommonPanel::slotSetPitch442},
        {QT_TR_NOOP("A4:443Hz (New Berliner Philharmonic Pitch)"),
            &TunersCommonPanel::slotSetPitch443},
        {QT_TR_NOOP("A4:445Hz (Old Berliner Philharmonic Pitch)"),
            &TunersCommonPanel::slotSetPitch445},
        {QT_TR_NOOP("A4:452Hz (Old Philarmonic Pitch)"), &TunersCommonPanel::slotSetPitch452},
        {QT_TR_NOOP("A4:460Hz (Renaissance Pitch)"), &TunersCommonPanel::slotSetPitch460},
    };
    auto* menu = new QMenu(m_pPitchButton);
    for (const Entry& entry : entries)
        menu->addAction(tr(entry.caption), this, entry.slot);
    return menu;
}

QMenu* TunersCommonPanel::makeAppMenu()
{
    using DORuverud::App;
    App* app = App::theApp();
    auto* menu = new QMenu(m_pAppButton);
    auto icon = [](const char* name) { return QIcon(QPixmap(QLatin1String(name))); };
    if (App::isAppStore())
        menu->addAction(icon(":/star.png"), tr("Rate this App"), app, &App::slotRateApp);
    menu->addAction(icon(":/recommend.png"), tr("Share"), app, &App::slotShareApp);
    menu->addAction(icon(":/moreappsicon.png"), tr("More Apps"), app, &App::slotShowMoreApps);
    menu->addAction(icon(":/feedback.png"), tr("Contacts Us"), app, &App::slotContactUs);
    menu->addAction(icon(":/webpage.png"), tr("Support Page"), app, &App::slotSupportPage);
    menu->addAction(icon(":/appicon.png"), tr("About"), this, &TunersCommonPanel::slotAbout);
    menu->addSeparator();
    menu->addAction(tr("Quit"), app, &QCoreApplication::quit);
    return menu;
}

void TunersCommonPanel::setPitch(int pitch)
{
    for (TunersCommonPanel* panel : qAsConst(livePanels()))
        panel->m_pPitchButton->setText(QStringLiteral("A4:%1Hz").arg(pitch));
    DORuverud::App::theApp()->setSettingsValue(QStringLiteral("Pitch"), pitch);
}

void TunersCommonPanel::slotSetPitch415()
{
    setPitch(415);
}

void TunersCommonPanel::slotSetPitch430()
{
    setPitch(430);
}

void TunersCommonPanel::slotSetPitch435()
{
    setPitch(435);
}

void TunersCommonPanel::slotSetPitch439()
{
    setPitch(439);
}

void TunersCommonPanel::slotSetPitch440()
{
    setPitch(440);
}

void TunersCommonPanel::slotSetPitch442()
{
    setPitch(442);
}

void TunersCommonPanel::slotSetPitch443()
{
    setPitch(443);
}

void TunersCommonPanel::slotSetPitch445()
{
    setPitch(445);
}

void TunersCommonPanel::slotSetPitch452()
{
    setPitch(452);
}

void TunersCommonPanel::slotSetPitch460()
{
    setPitch(460);
}

void TunersCommonPanel::slotRepeatModeChanged(bool on)
{
    emit repeatModeChangedTo(on);
    DORuverud::App::theApp()->setSettingsValue(QStringLiteral("Repeat"), on);
    for (TunersCommonPanel* panel : qAsConst(livePanels()))
        panel->followRepeatMode(on);
}

void TunersCommonPanel::followRepeatMode(bool on)
{
    if (m_pRepeatCheckBox->isChecked() == on)
        return;
    m_pRepeatCheckBox->setChecked(on);
    emit repeatModeChangedTo(on);
}

void TunersCommonPanel::slotAbout()
{
    // Guarded: the panel may take the dialog with it while exec() runs.
    QPointer<DORuverud::AboutDialog> dialog = new DORuverud::AboutDialog(this);
    dialog->exec();
    delete dialog;
}

} // namespace VADirur
