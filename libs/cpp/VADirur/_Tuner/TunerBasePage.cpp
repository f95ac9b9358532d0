#include "TunerBasePage.h"

#include "App.h"
#include "ButtonsPanel.h"
#include "ModesPanel.h"
#include "MoreMenuLinks.h"
#include "SampleName.h"
#include "SamplePlayer.h"
#include "TuneButton.h"
#include "TunerShops.h"

#include <QPainter>
#include <QPixmapCache>
#include <QVBoxLayout>
#include <cstdlib>

namespace VADirur {

TunerBasePage::TunerBasePage(QWidget* parent)
    : QFrame(parent)
    , resourcesPath(DORuverud::App::theApp()->bundleResourcePath())
{
    setObjectName(QStringLiteral("TunerPage"));
    setMinimumWidth(300);
    m_pModesPanel = new ModesPanel(this);
    m_pButtonsPanel = new ButtonsPanel(this);
    connect(m_pModesPanel, &ModesPanel::repeatModeChangedTo, m_pButtonsPanel,
        &ButtonsPanel::slotSetRepeatMode);
    for (int string = 0; button(string); ++string) {
        connect(button(string), &TuneButton::play, this, [this, string] {
            if (string < soundPatterns.size())
                slotPlay(soundPatterns[string]);
        });
    }

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pModesPanel);
    layout->addStretch(1);
    layout->addWidget(m_pButtonsPanel);
}

void TunerBasePage::setPicture(const QPixmap& picture)
{
    m_picture = picture;
}

TuneButton* TunerBasePage::button(int index) const
{
    return m_pButtonsPanel->button(index);
}

ModesPanel* TunerBasePage::modesPanel() const
{
    return m_pModesPanel;
}

void TunerBasePage::hideAppOptions()
{
    m_pModesPanel->hideAppOptions();
}

void TunerBasePage::slotSetRepeatMode(bool on)
{
    m_pButtonsPanel->slotSetRepeatMode(on);
}

void TunerBasePage::setInstrument(TunerInstruments::Instrument instrument)
{
    setPicture(QPixmap(QStringLiteral(":/") + TunerInstruments::pictureName(instrument)));
    const QVector<int> notes = TunerInstruments::notes(instrument);
    soundPatterns.clear();
    for (int string = 0; string < notes.size(); ++string) {
        TuneButton* stringButton = button(string);
        stringButton->setVisible(string >= TunerInstruments::firstShownString(instrument));
        stringButton->setText(DIReridArazi::SampleName::noteName(notes[string]));
        soundPatterns << resourcesPath + TunerInstruments::samplePattern(instrument, string);
    }
}

void TunerBasePage::fillLinksPanel(TunerInstruments::Instrument instrument)
{
    const QStringList links
        = ShopLinks::forCountry(TunerShops::table(instrument), QLocale::system().country());
    m_pModesPanel->setMustHave(links[0]);
    m_pModesPanel->setNiceToHave(links[1]);
    m_pModesPanel->setRead(links[2]);
    m_pModesPanel->setHear(links[3]);
    m_pModesPanel->setSee(links[4]);
    m_pModesPanel->setWikipedia(links[5]);
    const auto groups = MoreMenuLinks::tunerAppLinks(TunerInstruments::key(instrument));
    for (const QVector<MoreMenuLinks::AppLink>& group : groups) {
        for (const MoreMenuLinks::AppLink& app : group)
            m_pModesPanel->addMenuAppLink(
                QPixmap(QStringLiteral(":/") + app.icon), app.title, app.appName, app.appId);
        m_pModesPanel->addMenuSeparator();
    }
    m_pModesPanel->addBaseActions();
}

void TunerBasePage::slotPlay(const QString& pattern)
{
    if (!isVisible())
        return;
    const int pitch = DORuverud::App::theApp()->settingsValue(QStringLiteral("Pitch"), 440).toInt();
    SamplePlayer::play(pattern.arg(pitch));
}

// Kept in the pixmap cache per picture and size: a page repaints under
// every hovered or pressed button.
QPixmap TunerBasePage::scaledPicture() const
{
    const QString key
        = QStringLiteral("TunerPage:%1:%2x%3").arg(m_picture.cacheKey()).arg(width()).arg(height());
    QPixmap scaled;
    if (!QPixmapCache::find(key, &scaled)) {
        scaled = m_picture.scaled(qRound(2.0 * width()), qRound(2.0 * height()),
            Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPixmapCache::insert(key, scaled);
    }
    return scaled;
}

void TunerBasePage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(rect());
    if (m_picture.isNull())
        return;
    // Half the pixels of a picture fitted to twice the size: sharp on
    // screens of double density.
    const QPixmap scaled = scaledPicture();
    const int pw = scaled.width();
    const int ph = scaled.height();
    const QRect target(
        std::abs(width() - pw / 2) / 2, std::abs(height() - ph / 2) / 2, pw / 2, ph / 2);
    painter.drawPixmap(target, scaled);
}

} // namespace VADirur
