#include "Transposer.h"

#include "App.h"
#include "AppMenu.h"
#include "ChordsButtonsPanel.h"
#include "ChordsTabBar.h"
#include "FavoritesDeleteDlg.h"
#include "InputDialog.h"
#include "MessageBox.h"
#include "TransposerPictures.h"

#include <QBoxLayout>
#include <QHash>
#include <QLockFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>

#include <algorithm>
#include <iterator>

namespace VADirur {

namespace {

const QChar flatSign(0x266D);
const QChar lineFeed(QLatin1Char('\n'));
constexpr int maxSteps = 11;

const QString soundOnKey = QStringLiteral("TransposerSoundOn");
const QString countKey = QStringLiteral("FavoritesCount");
const QString favoriteKey = QStringLiteral("Favorite%1");

// Message box buttons and answers.
constexpr int okButton = 0x400;
constexpr int yesButton = 0x4000;
constexpr int noButton = 0x10000;

DORuverud::App* app()
{
    return DORuverud::App::theApp();
}

QString flat(char letter)
{
    return QString(QLatin1Char(letter)) + flatSign;
}

// The twelve pitch classes from C, written out twice so that an index
// moved by up to eleven steps stays inside the list.
QStringList flatNoteNames()
{
    const QStringList twelve = {QStringLiteral("C"), flat('D'), QStringLiteral("D"), flat('E'),
        QStringLiteral("E"), QStringLiteral("F"), flat('G'), QStringLiteral("G"), flat('A'),
        QStringLiteral("A"), flat('B'), QStringLiteral("B")};
    return twelve + twelve;
}

QStringList sharpNoteNames()
{
    const QStringList twelve
        = {QStringLiteral("C"), QStringLiteral("C #"), QStringLiteral("D"), QStringLiteral("D #"),
            QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("F #"), QStringLiteral("G"),
            QStringLiteral("G #"), QStringLiteral("A"), QStringLiteral("A #"), QStringLiteral("B")};
    return twelve + twelve;
}

// The panel's roots that neither list names, by the name of their pitch.
QString listedRoot(const QString& root)
{
    static const QHash<QString, QString> pitches = {{flat('C'), QStringLiteral("B")},
        {flat('F'), QStringLiteral("E")}, {QStringLiteral("B #"), QStringLiteral("C")},
        {QStringLiteral("E #"), QStringLiteral("F")}};
    return pitches.value(root, root);
}

QIcon menuIcon(const QString& image)
{
    return DORuverud::AppMenu::menuIcon(QStringLiteral(":/") + image);
}

// The indices stored under "Favorite%1", in order. The keys are walked: a
// number read from the file never sizes the work.
QVector<int> storedFavoriteIndices()
{
    const QString prefix = favoriteKey.arg(QString());
    QVector<int> indices;
    for (const QString& key : app()->settingsKeys()) {
        bool ok = false;
        const int index = key.midRef(prefix.size()).toInt(&ok);
        if (ok && index >= 0 && key == favoriteKey.arg(index))
            indices << index;
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

// The stored count, or -1 when there is none the program could have
// written. A file cut short loses it first: it sorts after every entry.
int storedFavoritesCount()
{
    bool ok = false;
    const int count = app()->settingsValue(countKey).toInt(&ok);
    return ok && count >= 0 ? count : -1;
}

// The stored indices at or above a valid count: entries a delete left
// behind, never read while the count stands.
QVector<int> hiddenIndices(const QVector<int>& stored)
{
    const int count = storedFavoritesCount();
    QVector<int> hidden;
    if (count >= 0)
        std::copy_if(stored.cbegin(), stored.cend(), std::back_inserter(hidden),
            [count](int index) { return index >= count; });
    return hidden;
}

// Another instance may change the stored list at any time: the change is
// made on the file as it is now, under a lock, and written back before the
// lock goes, so that nothing saved elsewhere is lost.
void changeStoredFavorites(const std::function<void()>& change)
{
    // Without the lock after a while, the change goes ahead all the same.
    QLockFile lock(app()->supportDirectory() + QStringLiteral("favorites.lock"));
    lock.tryLock(10000);
    app()->settings()->sync();
    change();
    app()->settings()->sync();
}

QPushButton* createButton(const QString& caption, const QString& objectName)
{
    auto* button = new QPushButton(caption);
    button->setFlat(true);
    button->setObjectName(objectName);
    return button;
}

} // namespace

Transposer::Transposer(QWidget* parent)
    : QFrame(parent)
    , m_flatNotes(flatNoteNames())
    , m_sharpNotes(sharpNoteNames())
{
    setObjectName(QStringLiteral("Transposer"));

    m_tabBar = new ChordsTabBar;
    m_tabBar->setMovable(true);
    m_tabBar->setUsesScrollButtons(true);
    connect(m_tabBar, &ChordsTabBar::tabClicked, this, &Transposer::slotTabClicked);
    connect(m_tabBar, &ChordsTabBar::countChanged, this, &Transposer::slotChordsCountChanged);

    QPushButton* addButton = createButton(QStringLiteral("+"), QStringLiteral("PushButtonAdd"));
    QPushButton* favoritesButton
        = createButton(QStringLiteral("Favorites"), QStringLiteral("TransposerButton"));
    m_soundButton = createButton(tr("Sound On"), QStringLiteral("TransposerButton"));
    m_transposeButton = createButton(tr("Transpose"), QStringLiteral("TransposerButton"));
    m_removeButton = createButton(QStringLiteral("-"), QStringLiteral("PushButtonRemove"));
    m_soundButton->setCheckable(true);
    updateState();
    setUpButtons(addButton, favoritesButton);
    createTransposeMenu();
    m_favoritesMenu = new QMenu(favoritesButton);
    m_favoritesMenu->setObjectName(QStringLiteral("FavoritesMenu"));
    recreateFavoritesMenu();
    favoritesButton->setMenu(m_favoritesMenu);

    createLayout(addButton, favoritesButton);
    slotChordsCountChanged(0);
}

Transposer::~Transposer()
{
    delete m_deleteDlg;
}

void Transposer::setUpButtons(QPushButton* addButton, QPushButton* favoritesButton)
{
    connect(addButton, &QPushButton::clicked, this, &Transposer::slotAddChord);
    connect(m_removeButton, &QPushButton::clicked, this, &Transposer::slotRemoveChord);
    connect(m_soundButton, &QPushButton::clicked, this, &Transposer::slotSoundClicked);
    addButton->setToolTip(tr("Add chord"));
    m_removeButton->setToolTip(tr("Remove selected chord"));
    addButton->setFixedSize(40, 40);
    m_removeButton->setFixedSize(40, 40);
    for (QPushButton* button : {m_soundButton, m_transposeButton, favoritesButton})
        button->setFixedHeight(40);
}

// Eleven entries up ("11 #" to "1 #"), then eleven down (1 to 11 and the
// flat sign); the step count is read back from the entry's text.
void Transposer::createTransposeMenu()
{
    auto* menu = new QMenu(m_transposeButton);
    menu->setObjectName(QStringLiteral("TransposerMenu"));
    for (int steps = maxSteps; steps >= 1; --steps)
        menu->addAction(
            QString::number(steps) + QStringLiteral(" #"), this, &Transposer::slotTransposeD);
    for (int steps = 1; steps <= maxSteps; ++steps)
        menu->addAction(QString::number(steps) + flatSign, this, &Transposer::slotTransposeB);
    m_transposeButton->setMenu(menu);
}

void Transposer::createLayout(QPushButton* addButton, QPushButton* favoritesButton)
{
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(3);
    buttonRow->setContentsMargins(1, 1, 1, 1);
    buttonRow->addWidget(addButton);
    buttonRow->addSpacing(4);
    buttonRow->addWidget(m_removeButton);
    buttonRow->addSpacing(4);
    buttonRow->addWidget(m_soundButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_transposeButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(favoritesButton);

    auto* tabRow = new QHBoxLayout;
    tabRow->setSpacing(0);
    tabRow->setContentsMargins(0, 0, 0, 0);
    tabRow->addWidget(m_tabBar);

    const bool pocket = app()->isPocketDevice();
    const int frameMargin = pocket ? 1 : 3;
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("TransposerFrame"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setSpacing(frameMargin);
    frameLayout->setContentsMargins(frameMargin, frameMargin, frameMargin, frameMargin);
    frameLayout->addLayout(buttonRow);
    frameLayout->addLayout(tabRow);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frame);
    if (pocket) {
        layout->setSpacing(1);
        layout->setContentsMargins(1, 1, 1, 1);
    }
}

void Transposer::setChordsButtonsPanel(ChordsButtonsPanel* panel)
{
    m_chordsButtonsPanel = panel;
}

int Transposer::currentChordIndex() const
{
    return m_tabBar->currentIndex();
}

void Transposer::setCurrentChordIndex(int index)
{
    m_tabBar->setCurrentIndex(index);
}

QStringList Transposer::currentChords() const
{
    QStringList chords;
    for (int i = 0; i < m_tabBar->count(); ++i)
        chords << m_tabBar->tabText(i);
    return chords;
}

void Transposer::setCurrentChords(const QStringList& chords)
{
    for (int i = m_tabBar->count(); i > 0; --i)
        m_tabBar->removeTab(0);
    for (const QString& chord : chords)
        m_tabBar->addTab(chord);
}

void Transposer::updateState()
{
    m_soundButton->setChecked(app()->settingsValue(soundOnKey, true).toBool());
    setSoundCaption();
}

void Transposer::setSoundCaption()
{
    m_soundButton->setText(m_soundButton->isChecked() ? tr("Sound On") : tr("Sound Off"));
}

void Transposer::slotSoundClicked()
{
    setSoundCaption();
    app()->setSettingsValue(soundOnKey, m_soundButton->isChecked());
}

void Transposer::slotAddChord()
{
    if (!m_chordsButtonsPanel)
        return;
    m_tabBar->addTab(m_chordsButtonsPanel->currentChordPart1() + lineFeed
        + m_chordsButtonsPanel->currentChordPart2());
}

void Transposer::slotRemoveChord()
{
    m_tabBar->removeTab(m_tabBar->currentIndex());
}

void Transposer::slotChordsCountChanged(int count)
{
    const bool any = count != 0;
    m_transposeButton->setEnabled(any);
    m_removeButton->setEnabled(any);
    m_saveFavoriteAction->setEnabled(any);
    m_soundButton->setEnabled(any);
}

// A release over the empty bar reselects the current tab's chord; with no
// tab at all there is nothing to select.
void Transposer::slotTabClicked()
{
    const int index = m_tabBar->currentIndex();
    if (index < 0 || !m_chordsButtonsPanel)
        return;
    m_chordsButtonsPanel->setChord(m_tabBar->tabText(index).remove(lineFeed));
    if (m_soundButton->isChecked())
        emit play();
}

void Transposer::slotTransposeD()
{
    transpose(qobject_cast<QAction*>(sender()), true);
}

void Transposer::slotTransposeB()
{
    transpose(qobject_cast<QAction*>(sender()), false);
}

void Transposer::transpose(QAction* action, bool up)
{
    if (!action)
        return;
    const QString separator = up ? QStringLiteral(" ") : QString(flatSign);
    bool ok = false;
    const int steps = action->text().split(separator, Qt::KeepEmptyParts).first().toInt(&ok, 10);
    if (!m_chordsButtonsPanel || !ok || m_tabBar->count() == 0)
        return;
    for (int i = 0; i < m_tabBar->count(); ++i)
        m_tabBar->setTabText(i, transposedTab(m_tabBar->tabText(i), up ? steps : -steps));
}

// The spelling follows the root's own accidental: sharps stay in the sharp
// list, naturals and flats in the flat list. C flat, F flat, B sharp and
// E sharp move by their pitch; other roots in neither list stay.
QString Transposer::transposedTab(const QString& tab, int steps) const
{
    const QStringList parts = tab.split(lineFeed, Qt::KeepEmptyParts);
    const QString& root = parts.first();
    const QString type = parts.size() >= 2 ? parts.last() : QString();
    const QStringList& notes = root.contains(QLatin1Char('#')) ? m_sharpNotes : m_flatNotes;
    const QString pitch = listedRoot(root);
    const int found = steps > 0 ? notes.indexOf(pitch) : notes.lastIndexOf(pitch);
    if (found < 0)
        return tab;
    return notes.at(found + steps) + lineFeed + type;
}

QString Transposer::defaultFavorite()
{
    static const QString value = QStringLiteral("Odile Marsk - Lanterns Over Keldmoor:")
        + QStringList({QStringLiteral("B\nm"), QStringLiteral("E\nm"), QStringLiteral("F #\n7"),
                          QStringLiteral("A\n7"), QStringLiteral("D\n"), QStringLiteral("D\nm"),
                          QStringLiteral("G\nm"), QStringLiteral("A\n7"), QStringLiteral("C\n7"),
                          QStringLiteral("F\n")})
              .join(QLatin1Char(','));
    return value;
}

void Transposer::recreateFavoritesMenu()
{
    if (!hiddenIndices(readFavorites()).isEmpty())
        removeHiddenFavorites();
    m_favoritesMenu->clear();
    m_favoritesMenu->addAction(
        menuIcon(TransposerPictures::newImage()), tr("&New"), this, &Transposer::slotNewFavorite);
    m_saveFavoriteAction = m_favoritesMenu->addAction(menuIcon(TransposerPictures::saveImage()),
        tr("&Save..."), this, &Transposer::slotSaveFavorite);
    m_saveFavoriteAction->setEnabled(m_tabBar->count() > 0);
    m_favoritesMenu->addAction(menuIcon(TransposerPictures::deleteImage()), tr("&Delete..."), this,
        &Transposer::slotDeleteFavorite);

    m_favoritesMenu->addSeparator();
    for (auto it = m_favorites.cbegin(); it != m_favorites.cend(); ++it)
        m_favoritesMenu->addAction(it.key(), this, &Transposer::slotLoadFavorite);
}

// A stored favourite is "name:chord,chord,...". The name ends at the first
// ":", the chords start after the last one; a value without ":" is no
// favourite (an entry cut short). A count hides the entries a delete left
// above it, and an entry missing below it reads as the default favourite.
// Without a count every stored entry is read; with none stored either, the
// default stands alone, as on a first start. Returns the indices stored,
// read or not.
QVector<int> Transposer::readFavorites()
{
    m_favorites.clear();
    const int count = storedFavoritesCount();
    const QVector<int> stored = storedFavoriteIndices();
    int read = 0;
    for (int index : stored) {
        if (count >= 0 && index >= count)
            break;
        insertFavorite(app()->settingsValue(favoriteKey.arg(index)).toString());
        ++read;
    }
    if (count < 0 ? read == 0 : read < count)
        insertFavorite(defaultFavorite());
    return stored;
}

void Transposer::insertFavorite(const QString& value)
{
    if (!value.contains(QLatin1Char(':')))
        return;
    const QStringList parts = value.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    m_favorites.insert(parts.first(), parts.last().split(QLatin1Char(','), Qt::KeepEmptyParts));
}

// The list is read again before the change, as another instance left it.
void Transposer::changeFavorites(const std::function<void()>& change)
{
    changeStoredFavorites([this, &change] {
        const QVector<int> stored = readFavorites();
        change();
        saveFavorites(stored);
    });
}

// The entries a count hides go as soon as they are read, so that a count
// lost later brings back no deleted favourite. Only they go: the count is
// read again from the file as it is now, which another instance may have
// raised.
void Transposer::removeHiddenFavorites()
{
    changeStoredFavorites([this] {
        for (int index : hiddenIndices(readFavorites()))
            app()->removeSettingsValue(favoriteKey.arg(index));
    });
}

// The stored entries above the new count go, so that a count lost later
// brings back no deleted favourite.
void Transposer::saveFavorites(const QVector<int>& stored)
{
    app()->setSettingsValue(countKey, m_favorites.size());
    int i = 0;
    for (auto it = m_favorites.cbegin(); it != m_favorites.cend(); ++it, ++i)
        app()->setSettingsValue(
            favoriteKey.arg(i), it.key() + QLatin1Char(':') + it.value().join(QLatin1Char(',')));
    for (int index : stored) {
        if (index >= i)
            app()->removeSettingsValue(favoriteKey.arg(index));
    }
}

void Transposer::slotNewFavorite()
{
    for (int i = m_tabBar->count(); i > 0; --i)
        m_tabBar->removeTab(0);
}

void Transposer::slotLoadFavorite()
{
    const auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const auto found = m_favorites.constFind(action->text());
    if (found != m_favorites.cend())
        setCurrentChords(found.value());
}

// A ":" would cut the name when it is read back, so such names are refused
// like an empty one.
void Transposer::slotSaveFavorite()
{
    QPointer<Transposer> self(this);
    bool ok = false;
    const QString name = DORuverud::InputDialog::getText(this, tr("Save Favorite"),
        tr("Favorite's Name:"), QLineEdit::Normal, QString(), &ok, nullptr);
    if (!ok || !self)
        return;
    if (name.isEmpty()) {
        DORuverud::MessageBox::warning(
            this, tr("Warning"), tr("Can not create the favorite without name"), okButton, 0);
        return;
    }
    if (name.contains(QLatin1Char(':'))) {
        DORuverud::MessageBox::warning(this, tr("Warning"),
            tr("Can not create the favorite with \":\" in its name"), okButton, 0);
        return;
    }
    const QStringList chords = currentChords();
    changeFavorites([this, &name, &chords] { m_favorites.insert(name, chords); });
    recreateFavoritesMenu();
}

void Transposer::slotDeleteFavorite()
{
    QPointer<Transposer> self(this);
    // Made on the first delete: most pages never need it.
    if (!m_deleteDlg)
        m_deleteDlg = new FavoritesDeleteDlg(nullptr);
    m_deleteDlg->clearItems();
    for (auto it = m_favorites.cbegin(); it != m_favorites.cend(); ++it)
        m_deleteDlg->addItem(it.key());
    if (m_deleteDlg->exec() == 0 || !self)
        return;
    const QString name = m_deleteDlg->item();
    if (name.isEmpty())
        return;
    const int answer = DORuverud::MessageBox::warning(this, tr("Warning"),
        tr("Remove the favorite:\n \"") + name + tr("\"?"), yesButton | noButton, noButton);
    if (answer != yesButton || !self)
        return;
    changeFavorites([this, &name] { m_favorites.remove(name); });
    recreateFavoritesMenu();
}

} // namespace VADirur
