#include "PianoNotesFinder.h"

#include "DecoratedNotesWidget.h"
#include "Label.h"
#include "MusicPagePictures.h"
#include "PianoBoard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace VADirur {

namespace {

DORuverud::Label* sidePicture(const QString& objectName, const QPixmap& picture)
{
    auto* label = new DORuverud::Label;
    label->setObjectName(objectName);
    label->setMode(DORuverud::Label::Fill);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    label->setRetinaPixmap(picture);
    return label;
}

} // namespace

PianoNotesFinder::PianoNotesFinder(QWidget* parent)
    : QFrame(parent)
{
    m_pNotesWidget = new DecoratedNotesWidget(nullptr);
    m_pPianoBoard = new PianoBoard(nullptr);
    const QPixmap right(MusicPagePictures::resource(MusicPagePictures::rightSide()));
    const QPixmap left(MusicPagePictures::resource(MusicPagePictures::leftSide()));
    DORuverud::Label* rightLabel = sidePicture(QStringLiteral("PianoRightLabel"), right);
    DORuverud::Label* leftLabel = sidePicture(QStringLiteral("PianoLeftLabel"), left);
    connect(m_pNotesWidget, &DecoratedNotesWidget::noteChanged, m_pPianoBoard,
        &PianoBoard::slotSetNote);
    connect(m_pPianoBoard, &PianoBoard::noteChanged, m_pNotesWidget,
        &DecoratedNotesWidget::slotShowNote);

    auto* row = new QHBoxLayout;
    row->addWidget(leftLabel);
    row->addWidget(m_pNotesWidget);
    row->addWidget(rightLabel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    layout->addWidget(m_pPianoBoard);
}

} // namespace VADirur
