#include "ChordsButtonsPanel.h"

#include "App.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace VADirur {

namespace {

const QChar flatSign(0x266D);
const char letters[] = "ABCDEFG";
constexpr int letterCount = 7;

// Root index of each root label: naturals, flats, sharps, A to G within each.
constexpr int rootIndexes[ChordsButtonsPanel::RootLabelCount]
    = {0, 2, 4, 5, 7, 9, 10, 1, 3, 2, 6, 8, 7, 11, 3, 4, 6, 8, 9, 11, 1};

// Type index of each type button, in field order ("m7" is 8, "maj7" is 7).
constexpr int typeIndexes[ChordsButtonsPanel::TypeLabelCount] = {0, 1, 2, 3, 4, 5, 6, 8, 7, 9, 10};

// The order in which setChord tries the type labels, as field numbers.
constexpr int typeMatchOrder[] = {7, 8, 6, 3, 1, 2, 10, 5, 4, 9};

// Grid cells of the type buttons, in field order.
constexpr int typeCells[ChordsButtonsPanel::TypeLabelCount][2]
    = {{0, 0}, {0, 1}, {0, 5}, {1, 4}, {1, 1}, {0, 2}, {1, 2}, {0, 3}, {0, 4}, {1, 3}, {1, 5}};

constexpr int unknownChord = 131;

const QStringList& typeLabels()
{
    static const QStringList labels = {QString(), QStringLiteral("m"), QStringLiteral("aug"),
        QStringLiteral("dim"), QStringLiteral("6"), QStringLiteral("m6"), QStringLiteral("7"),
        QStringLiteral("m7"), QStringLiteral("maj7"), QStringLiteral("9"), QStringLiteral("sus4")};
    return labels;
}

QStringList buildRootLabels()
{
    QStringList labels;
    for (int i = 0; i < letterCount; ++i)
        labels << QString(QLatin1Char(letters[i]));
    for (int i = 0; i < letterCount; ++i)
        labels << QString(QLatin1Char(letters[i])) + flatSign;
    for (int i = 0; i < letterCount; ++i)
        labels << QString(QLatin1Char(letters[i])) + QStringLiteral(" #");
    return labels;
}

bool isPocketDevice()
{
    const DORuverud::App* app = DORuverud::App::theApp();
    return app && app->isPocketDevice();
}

} // namespace

ChordsButtonsPanel::ChordsButtonsPanel(QWidget* parent)
    : QFrame(parent)
    , m_rootLabels(buildRootLabels())
{
    setObjectName(QStringLiteral("ChordsButtonsPanel"));
    createButtons();
    createGroups();

    const bool pocket = isPocketDevice();
    const int margin = pocket ? 1 : 3;
    QFrame* typeFrame = createTypeFrame(margin);
    QFrame* rootFrame = createRootFrame(margin);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rootFrame);
    layout->addWidget(typeFrame);
    if (pocket) {
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(3);
    }
}

void ChordsButtonsPanel::createButtons()
{
    for (int i = 0; i < RootLabelCount; ++i)
        m_rootButtons[i] = new QPushButton(m_rootLabels.at(i));
    for (int i = 1; i < TypeLabelCount; ++i)
        m_typeButtons[i] = new QPushButton(typeLabels().at(i));
    m_typeButtons[0] = new QPushButton(typeLabels().at(0));

    for (QPushButton* button : m_rootButtons)
        applyPanelButtonProperties(button);
    for (int i = 1; i < TypeLabelCount; ++i)
        applyPanelButtonProperties(m_typeButtons[i]);
    applyPanelButtonProperties(m_typeButtons[0]);
}

void ChordsButtonsPanel::createGroups()
{
    m_rootGroup = new QButtonGroup(this);
    m_rootGroup->setExclusive(true);
    for (QPushButton* button : m_rootButtons)
        m_rootGroup->addButton(button);
    m_rootButtons[0]->setChecked(true);
    connect(m_rootGroup, qOverload<QAbstractButton*>(&QButtonGroup::buttonClicked), this,
        &ChordsButtonsPanel::slotButtonClicked);

    m_typeGroup = new QButtonGroup(this);
    m_typeGroup->setExclusive(true);
    for (QPushButton* button : m_typeButtons)
        m_typeGroup->addButton(button);
    m_typeButtons[0]->setChecked(true);
    connect(m_typeGroup, qOverload<QAbstractButton*>(&QButtonGroup::buttonClicked), this,
        &ChordsButtonsPanel::slotButtonClicked);
}

QFrame* ChordsButtonsPanel::createTypeFrame(int margin)
{
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("ChordOptionsFrame"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(margin, margin, margin, margin);
    grid->setSpacing(3);
    for (int i = 0; i < TypeLabelCount; ++i)
        grid->addWidget(m_typeButtons[i], typeCells[i][0], typeCells[i][1]);
    return frame;
}

QFrame* ChordsButtonsPanel::createRootFrame(int margin)
{
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("ChordButtonsFrame"));
    auto* grid = new QGridLayout(frame);
    grid->setSpacing(3);
    grid->setContentsMargins(margin, margin, margin, margin);
    for (int i = 0; i < RootLabelCount; ++i)
        grid->addWidget(m_rootButtons[i], i / letterCount, i % letterCount);
    return frame;
}

void ChordsButtonsPanel::applyPanelButtonProperties(QPushButton* button)
{
    button->setFlat(true);
    button->setObjectName(QStringLiteral("PanelButton"));
    button->setCheckable(true);
}

void ChordsButtonsPanel::setChord(const QString& text)
{
    checkRoot(text);
    checkType(text);
    emit chordChanged(stringToChord(text), text);
}

// For each letter its flat, then its sharp, then its natural.
void ChordsButtonsPanel::checkRoot(const QString& text)
{
    for (int letter = 0; letter < letterCount; ++letter) {
        for (int kind : {1, 2, 0}) {
            QPushButton* button = m_rootButtons[kind * letterCount + letter];
            if (text.startsWith(button->text())) {
                button->setChecked(true);
                return;
            }
        }
    }
}

void ChordsButtonsPanel::checkType(const QString& text)
{
    for (int field : typeMatchOrder) {
        if (text.endsWith(m_typeButtons[field]->text())) {
            m_typeButtons[field]->setChecked(true);
            return;
        }
    }
    m_typeButtons[0]->setChecked(true);
}

int ChordsButtonsPanel::stringToChord(const QString& text) const
{
    for (int root = 0; root < RootLabelCount; ++root) {
        const QString& rootLabel = m_rootLabels.at(root);
        if (!text.startsWith(rootLabel))
            continue;
        for (int type = 0; type < TypeLabelCount; ++type) {
            if (text.size() == rootLabel.size() + typeLabels().at(type).size()
                && text.endsWith(typeLabels().at(type)))
                return rootIndexes[root] * TypeLabelCount + typeIndexes[type];
        }
    }
    return unknownChord;
}

QString ChordsButtonsPanel::currentChordPart1() const
{
    return m_rootGroup->checkedButton()->text();
}

QString ChordsButtonsPanel::currentChordPart2() const
{
    return m_typeGroup->checkedButton()->text();
}

QString ChordsButtonsPanel::currentChord() const
{
    return currentChordPart1() + currentChordPart2();
}

void ChordsButtonsPanel::slotButtonClicked()
{
    const QString text = currentChord();
    emit chordChanged(stringToChord(text), text);
}

void ChordsButtonsPanel::hideBlank()
{
    m_typeButtons[0]->hide();
}

void ChordsButtonsPanel::hideM()
{
    m_typeButtons[1]->hide();
}

void ChordsButtonsPanel::hideAug()
{
    m_typeButtons[2]->hide();
}

void ChordsButtonsPanel::hideDim()
{
    m_typeButtons[3]->hide();
}

void ChordsButtonsPanel::hide6()
{
    m_typeButtons[4]->hide();
}

void ChordsButtonsPanel::hideM6()
{
    m_typeButtons[5]->hide();
}

void ChordsButtonsPanel::hide7()
{
    m_typeButtons[6]->hide();
}

void ChordsButtonsPanel::hideM7()
{
    m_typeButtons[7]->hide();
}

void ChordsButtonsPanel::hideMaj7()
{
    m_typeButtons[8]->hide();
}

void ChordsButtonsPanel::hide9()
{
    m_typeButtons[9]->hide();
}

void ChordsButtonsPanel::hideSus4()
{
    m_typeButtons[10]->hide();
}

} // namespace VADirur
