#include "ChordView.h"

#include "App.h"
#include "ChordPhotoView.h"
#include "ChordStandardView.h"
#include "ChordTabView.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace VADirur {

ChordView::ChordView(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("ChordView"));
    setMinimumSize(150, 150);
    const bool pocket = DORuverud::App::theApp()->isPocketDevice();

    standardView = new ChordStandardView(nullptr);
    tabView = new ChordTabView(nullptr);
    photoView = new ChordPhotoView(nullptr);
    instrumentLabel = new QFrame;
    QPushButton* playButton = new QPushButton;
    playButton->setObjectName(QStringLiteral("PlayButton"));
    connect(playButton, &QPushButton::clicked, this, &ChordView::play);

    options = new QFrame;
    options->setObjectName(QStringLiteral("ViewOptionsFrame"));
    options->setMaximumWidth(pocket ? 56 : 64);
    QVBoxLayout* optionsLayout = new QVBoxLayout(options);
    if (pocket) {
        optionsLayout->setContentsMargins(2, 2, 2, 2);
        optionsLayout->setSpacing(2);
    }
    optionsLayout->addWidget(playButton);
    optionsLayout->addWidget(instrumentLabel);
    optionsLayout->addStretch(1);

    drawings = new QBoxLayout(QBoxLayout::TopToBottom);
    drawings->addWidget(standardView);
    drawings->addWidget(tabView);

    pictures = new QBoxLayout(QBoxLayout::LeftToRight);
    pictures->addLayout(drawings);
    pictures->addWidget(photoView);

    QHBoxLayout* layout = new QHBoxLayout(this);
    if (pocket) {
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(1);
    }
    layout->addWidget(options);
    layout->addLayout(pictures);
}

// A pane higher than wide, as a portrait screen gives, stacks the
// photograph under the two drawings, each a third of the height, so that
// every drawing takes the whole width. A pane more than four times as wide
// as high sets the two drawings side by side, each as wide as the
// photograph, so that each takes the whole height.
void ChordView::resizeEvent(QResizeEvent* event)
{
    const int across = event->size().width() - options->maximumWidth();
    const bool stacked = event->size().height() > across;
    const bool row = across > 4 * event->size().height();
    drawings->setDirection(row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    pictures->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    pictures->setStretch(0, stacked || row ? 2 : 0);
    pictures->setStretch(1, stacked || row ? 1 : 0);
    QFrame::resizeEvent(event);
}

void ChordView::setInstrumentName(const QString& name)
{
    instrumentName = name;
    standardView->setInstrumentName(name);
    tabView->setInstrumentName(name);
    photoView->setInstrumentName(name);
    instrumentLabel->setObjectName(QStringLiteral("InstrumentLabel_") + name);
    instrumentLabel->setFixedSize(40, 105);
}

void ChordView::setChordTabAndName(int index, const QVector<int>& tab, const QString& name)
{
    standardView->setChordTabAndName(index, tab, name);
    tabView->setChordTabAndName(index, tab, name);
    photoView->setChordTabAndName(index, tab, name);
}

void ChordView::optimizationProtocol(const QString& fileName, const QString& line)
{
    const QString path = DORuverud::App::theApp()->supportDirectory() + fileName;
    QString content;
    QFile reader(path);
    if (reader.open(QIODevice::ReadOnly)) {
        content = QString::fromUtf8(reader.readAll());
        reader.close();
    }
    const QString entry = line + QLatin1Char('\n');
    if (content.contains(entry))
        return;
    QFile writer(path);
    if (writer.open(QIODevice::WriteOnly | QIODevice::Append))
        writer.write(entry.toUtf8());
}

} // namespace VADirur
