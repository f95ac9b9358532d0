#include "NotesWidget.h"

#include "App.h"
#include "MusicPagePictures.h"
#include "PianoKeyTable.h"
#include "SampleName.h"
#include "SamplePlayer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace VADirur {

namespace {

const QString letters = QStringLiteral("CDEFGAB");

// Where each white key's note sits, in 324ths of the height, A0 to C8.
// clang-format off
const int staffPositions[PianoKeyTable::whiteCount] = {
    322, 315,
    310, 304, 298, 292, 286, 281, 274,
    269, 261, 257, 250, 245, 238, 232,
    225, 219, 214, 209, 201, 196, 189,
    184, 177, 173, 166, 160, 154, 148,
    141, 136, 130, 124, 118, 112, 106,
    100, 94, 88, 82, 76, 69, 63,
    57, 52, 46, 40, 34, 28, 22,
    15};
// clang-format on

// "C4" of half-line 30; empty above E8's octave or below C0's.
QString nameOfHalfLine(int halfLine)
{
    for (int octave = 0; octave <= 8; ++octave) {
        const int c = 58 - 7 * octave;
        if (c - 7 < halfLine && halfLine <= c)
            return letters.at(c - halfLine) + QString::number(octave);
    }
    return QString();
}

// The sample of a note with its accidental; empty beyond the piano's A0 to C8.
QString sampleOf(const QString& name, int accidental)
{
    static const int semitones[] = {0, 2, 4, 5, 7, 9, 11};
    const int letter = name.isEmpty() ? -1 : letters.indexOf(name.at(0));
    if (letter < 0 || name.size() < 2 || !name.at(1).isDigit())
        return QString();
    const int midi = 12 * (name.at(1).digitValue() + 1) + semitones[letter] + accidental;
    if (midi < 21 || midi > 108)
        return QString();
    return DIReridArazi::SampleName::fileName(QStringLiteral("piano"), 440, midi);
}

} // namespace

NotesWidget::NotesWidget(QWidget* parent)
    : QFrame(parent)
{
    m_pFlatButton = makeSignButton(QStringLiteral("FlatSignButton"), &NotesWidget::slotSetFlat);
    m_pSharpButton = makeSignButton(QStringLiteral("SharpSignButton"), &NotesWidget::slotSetSharp);
    m_pNaturalButton
        = makeSignButton(QStringLiteral("NaturalSignButton"), &NotesWidget::slotSetNatural);
    m_pNaturalButton->setChecked(true);
    setAttribute(Qt::WA_MouseTracking);
    m_vecSolfege = {tr("do"), tr("re"), tr("mi"), tr("fa"), tr("sol"), tr("la"), tr("si")};
    m_pNoteLabel = new QLabel;
    m_pNoteLabel->setObjectName(QStringLiteral("NoteLabel"));

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(1, 1, 1, 1);
    buttons->setSpacing(2);
    buttons->addWidget(m_pNaturalButton);
    buttons->addWidget(m_pSharpButton);
    buttons->addWidget(m_pFlatButton);
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addLayout(buttons);
    top->addStretch(1);
    top->addWidget(m_pNoteLabel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(5);
    layout->addLayout(top);
    layout->addStretch(1);
}

bool NotesWidget::isFlat() const
{
    return m_pFlatButton->isChecked();
}

bool NotesWidget::isSharp() const
{
    return m_pSharpButton->isChecked();
}

bool NotesWidget::isNatural() const
{
    return m_pNaturalButton->isChecked();
}

int NotesWidget::pianoLines() const
{
    return 27;
}

int NotesWidget::c4() const
{
    return 30;
}

float NotesWidget::linesHeight() const
{
    return float(height()) / pianoLines();
}

float NotesWidget::noteWidth() const
{
    return linesHeight() / 1.2f;
}

float NotesWidget::shortLineWidth() const
{
    return linesHeight() * 1.2f;
}

QPoint NotesWidget::nameToPos(const QString& name) const
{
    return QPoint(10, m_mapNamePos.value(name, 0));
}

void NotesWidget::generateNamePosMap()
{
    m_mapNamePos.clear();
    const float factor = float(height()) / 324;
    for (int i = 0; i < PianoKeyTable::whiteCount; ++i)
        m_mapNamePos.insert(PianoKeyTable::whiteName(i), int(staffPositions[i] * factor));
}

void NotesWidget::setNote(const QString& name, const QString& solfege)
{
    const int sign = accidental();
    setNoteLabel(name, solfege, sign);
    emit noteChanged(name, sign);
}

void NotesWidget::setNoteLabel(const QString& name, const QString& solfege, int accidental)
{
    QString sign;
    if (accidental > 0)
        sign = QStringLiteral("#");
    else if (accidental < 0)
        sign = QStringLiteral("<b>\u266D</b>");
    m_pNoteLabel->setText(QStringLiteral("<CENTER><FONT SIZE=\"10\">") + sign + name
        + QStringLiteral("</FONT><br><FONT SIZE=\"5\">(") + sign + solfege
        + QStringLiteral(")</FONT></CENTER>"));
}

void NotesWidget::drawNote(QPainter* painter)
{
    if (m_currentPos.isNull())
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    const float h = linesHeight();
    const float nw = noteWidth();
    const int halfLine = int(m_currentPos.y() / (h / 2));
    const float x = width() / 2 - nw;
    const float y = halfLine * h / 2 - h / 2;
    painter->drawPixmap(QRect(int(x), int(y), int(2.2f * nw), int(h)), m_notePix);
    drawAccidental(painter, x - 1.5f * nw, y + h);

    const QString name = nameOfHalfLine(halfLine);
    if (name.isEmpty() || name == m_strCurrentNote)
        return;
    m_strCurrentNote = name;
    setNote(name, m_vecSolfege.at(letters.indexOf(name.at(0))) + name.at(1));
}

void NotesWidget::slotShowNote(const QString& name, int accidental)
{
    const int letter = name.isEmpty() ? -1 : letters.indexOf(name.at(0));
    setNoteLabel(name, m_vecSolfege.at(letter < 0 ? 6 : letter), accidental);
    if (accidental < 0)
        checkOnly(m_pFlatButton);
    else if (accidental > 0)
        checkOnly(m_pSharpButton);
    else
        checkOnly(m_pNaturalButton);
    if (!m_mapNamePos.contains(name))
        return;
    m_currentPos = nameToPos(name);
    update();
}

void NotesWidget::slotSetFlat()
{
    checkOnly(m_pFlatButton);
}

void NotesWidget::slotSetSharp()
{
    checkOnly(m_pSharpButton);
}

void NotesWidget::slotSetNatural()
{
    checkOnly(m_pNaturalButton);
}

void NotesWidget::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const QString sample = sampleOf(m_strCurrentNote, accidental());
    if (!sample.isEmpty())
        SamplePlayer::play(DORuverud::App::theApp()->bundleResourcePath() + sample);
}

void NotesWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
}

void NotesWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_currentPos = event->pos();
    QWidget::mouseMoveEvent(event);
    update();
}

void NotesWidget::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
}

void NotesWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
}

void NotesWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    drawLines(&painter);
    const float h = linesHeight();
    const int treble = int(8 * h);
    const int bass = int(4 * h);
    painter.drawPixmap(QRect(0, treble, treble, treble),
        QPixmap(MusicPagePictures::resource(MusicPagePictures::trebleClef())));
    painter.drawPixmap(QRect(0, int(16 * h), bass, bass),
        QPixmap(MusicPagePictures::resource(MusicPagePictures::bassClef())));
    drawNote(&painter);
    painter.end();
    QFrame::paintEvent(event);
}

void NotesWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    generateNamePosMap();
    m_notePix = QPixmap(MusicPagePictures::resource(MusicPagePictures::noteHead()));
}

QPushButton* NotesWidget::makeSignButton(const QString& objectName, void (NotesWidget::*slot)())
{
    auto* button = new QPushButton;
    button->setFlat(true);
    button->setFixedSize(37, 37);
    button->setCheckable(true);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void NotesWidget::checkOnly(QPushButton* button)
{
    for (QPushButton* sign : {m_pFlatButton, m_pSharpButton, m_pNaturalButton})
        sign->setChecked(sign == button);
}

int NotesWidget::accidental() const
{
    if (isFlat())
        return -1;
    return isSharp() ? 1 : 0;
}

void NotesWidget::drawLines(QPainter* painter)
{
    const float h = linesHeight();
    const float middle = width() / 2.0f;
    const float ledger = shortLineWidth();
    for (int slot = 0; slot < pianoLines(); ++slot) {
        const float y = slot * h;
        const bool staff = (slot >= 10 && slot <= 14) || (slot >= 16 && slot <= 20);
        if (staff)
            painter->drawLine(QLineF(0, y, width(), y));
        else
            painter->drawLine(QLineF(middle - ledger, y, middle + ledger, y));
    }
}

void NotesWidget::drawAccidental(QPainter* painter, float x, float y)
{
    QString sign;
    if (isFlat())
        sign = QStringLiteral("\u266D");
    else if (isSharp())
        sign = QStringLiteral("#");
    if (sign.isEmpty())
        return;
    QFont font = this->font();
    font.setPixelSize(int(1.5f * linesHeight()));
    painter->setFont(font);
    painter->drawText(QPoint(int(x), int(y)), sign);
}

} // namespace VADirur
