#include "MetronomeControls.h"

#include "App.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace VADirur {

namespace {

const int lowestTempo = 38;
const int highestTempo = 208;

struct TempoRow
{
    const char* name;
    const char* range;
    int first;
    int last;
};

const TempoRow tempoRows[6] = {
    {QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "Largo"),
        QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "38-56"), 38, 56},
    {QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "Adagio"),
        QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "57-70"), 57, 70},
    {QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "Andante"),
        QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "71-96"), 71, 96},
    {QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "Moderato"),
        QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "97-108"), 97, 108},
    {QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "Allegro"),
        QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "109-168"), 109, 168},
    {QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "Presto"),
        QT_TRANSLATE_NOOP("VADirur::MetronomeControls", "169-208"), 169, 208},
};

const int beatCounts[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

QPushButton* flatButton(const QString& objectName)
{
    auto* button = new QPushButton;
    button->setObjectName(objectName);
    button->setFlat(true);
    return button;
}

} // namespace

MetronomeControls::MetronomeControls(QWidget* parent)
    : QFrame(parent)
    , m_nBeatsCount(4)
{
    setObjectName(QStringLiteral("MetronomeControls"));
    m_pVisibleTickButton = flatButton(QStringLiteral("VisibleTickButton"));
    m_pAudibleTickButton = flatButton(QStringLiteral("AudiableTickButton"));
    m_pTempoList = new QTreeWidget;
    m_pBeatCombo = flatButton(QStringLiteral("BeatCombo"));
    m_pBeatCombo->setText(QStringLiteral("4"));
    m_pBeatButton = flatButton(QStringLiteral("BeatButton"));
    m_pTempoLabel = new QLabel(QStringLiteral("38"));
    m_pTempoLabel->setObjectName(QStringLiteral("TempoLabel"));
    m_pTempoLabel->setAlignment(Qt::AlignCenter);
    m_pTempoIncButton = flatButton(QStringLiteral("TempoIncButton"));
    m_pTempoDecButton = flatButton(QStringLiteral("TempoDecButton"));
    connect(m_pTempoIncButton, &QPushButton::clicked, this, &MetronomeControls::slotTempoInc);
    connect(m_pTempoDecButton, &QPushButton::clicked, this, &MetronomeControls::slotTempoDec);
    buildBeatsMenu();

    m_pVisibleTickButton->setToolTip(tr("Visible Tick"));
    m_pAudibleTickButton->setToolTip(tr("Audiable Tick"));
    m_pVisibleTickButton->setCheckable(true);
    m_pAudibleTickButton->setCheckable(true);
    connect(
        m_pVisibleTickButton, &QPushButton::toggled, this, &MetronomeControls::visibleTickChanged);
    connect(
        m_pAudibleTickButton, &QPushButton::toggled, this, &MetronomeControls::audibleTickChanged);
    setUpTempoList();
    layOut();
}

int MetronomeControls::interval() const
{
    bool ok = false;
    const int bpm = m_pTempoLabel->text().toInt(&ok);
    return ok ? bpm : 1000;
}

int MetronomeControls::beatsCount() const
{
    return m_nBeatsCount;
}

void MetronomeControls::setInterval(int bpm)
{
    const int held = std::clamp(bpm, lowestTempo, highestTempo);
    m_pTempoLabel->setText(QString::number(held));
    emit intervalChanged(held);
}

void MetronomeControls::setSelectListItem(int bpm)
{
    const int row = rowOfTempo(bpm);
    if (row >= 0 && m_pTempoList->currentItem() != m_pTempoRows[row])
        m_pTempoList->setCurrentItem(m_pTempoRows[row]);
}

void MetronomeControls::slotBeatsCountChanged()
{
    auto* action = qobject_cast<QAction*>(sender());
    bool ok = false;
    const int count = action ? action->text().toInt(&ok) : 0;
    if (!ok)
        return;
    m_pBeatCombo->setText(action->text());
    m_nBeatsCount = count;
    emit beatsCountChanged(count);
}

void MetronomeControls::slotTempoInc()
{
    bool ok = false;
    const int bpm = m_pTempoLabel->text().toInt(&ok);
    if (!ok)
        return;
    setInterval(bpm + 1);
    setSelectListItem(interval());
}

void MetronomeControls::slotTempoDec()
{
    bool ok = false;
    const int bpm = m_pTempoLabel->text().toInt(&ok);
    if (!ok)
        return;
    setInterval(bpm - 1);
    const bool blocked = m_pTempoList->blockSignals(true);
    setSelectListItem(interval());
    m_pTempoList->blockSignals(blocked);
}

void MetronomeControls::slotCurrentItemChanged()
{
    for (int row = 0; row < 6; ++row) {
        if (m_pTempoList->currentItem() == m_pTempoRows[row]) {
            setInterval(tempoRows[row].first);
            return;
        }
    }
}

void MetronomeControls::buildBeatsMenu()
{
    auto* menu = new QMenu(m_pBeatCombo);
    for (int count : beatCounts) {
        QAction* action = menu->addAction(QString::number(count));
        connect(action, &QAction::triggered, this, &MetronomeControls::slotBeatsCountChanged);
    }
    m_pBeatCombo->setMenu(menu);
}

void MetronomeControls::setUpTempoList()
{
    m_pTempoList->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_pTempoList->setHeaderHidden(true);
    m_pTempoList->setColumnCount(2);
    const bool pocket = DORuverud::App::theApp()->isPocketDevice();
    m_pTempoList->setColumnWidth(0, pocket ? 65 : 115);
    m_pTempoList->setColumnWidth(1, 30);
    m_pTempoList->setSortingEnabled(false);
    m_pTempoList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pTempoList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pTempoList->setRootIsDecorated(false);
    connect(m_pTempoList, &QTreeWidget::currentItemChanged, this,
        &MetronomeControls::slotCurrentItemChanged);
    m_pTempoList->setHeaderLabels({tr("Name"), tr("Range")});
    for (int row = 0; row < 6; ++row) {
        m_pTempoRows[row]
            = new QTreeWidgetItem(QStringList {tr(tempoRows[row].name), tr(tempoRows[row].range)});
        m_pTempoList->addTopLevelItem(m_pTempoRows[row]);
    }
    m_pTempoList->setCurrentItem(m_pTempoRows[0]);
}

void MetronomeControls::layOut()
{
    auto* tempoRow = new QHBoxLayout;
    tempoRow->setContentsMargins(0, 0, 0, 0);
    tempoRow->setSpacing(0);
    tempoRow->addStretch();
    tempoRow->addWidget(m_pTempoDecButton);
    tempoRow->addWidget(m_pTempoLabel);
    tempoRow->addWidget(m_pTempoIncButton);
    tempoRow->addStretch();

    auto* listRow = new QHBoxLayout;
    listRow->setContentsMargins(0, 0, 0, 0);
    listRow->setSpacing(0);
    listRow->addStretch();
    listRow->addWidget(m_pTempoList);
    listRow->addStretch();

    auto* switchRow = new QHBoxLayout;
    switchRow->setContentsMargins(0, 0, 0, 0);
    switchRow->setSpacing(0);
    switchRow->addSpacing(5);
    switchRow->addWidget(m_pVisibleTickButton);
    switchRow->addSpacing(5);
    switchRow->addWidget(m_pAudibleTickButton);
    switchRow->addSpacing(5);
    switchRow->addWidget(m_pBeatButton);
    switchRow->addWidget(m_pBeatCombo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(tempoRow);
    layout->addLayout(listRow);
    layout->addLayout(switchRow);
}

int MetronomeControls::rowOfTempo(int bpm) const
{
    for (int row = 0; row < 6; ++row) {
        if (bpm >= tempoRows[row].first && bpm <= tempoRows[row].last)
            return row;
    }
    return -1;
}

} // namespace VADirur
