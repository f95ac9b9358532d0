#include "PageStyleSheets.h"

#include "AppStyleSheet.h"

namespace VADirur {

namespace {

const char* const metronomeSheet = R"CSS(
QFrame#MetronomeControls, QFrame#MetronomeBeats { background: transparent; }
QLabel#TempoLabel {
    color: rgb(255,214,128); background: transparent;
    font-size: 46px; font-weight: bold; min-width: 104px;
}
QPushButton#TempoDecButton, QPushButton#TempoIncButton,
QPushButton#VisibleTickButton, QPushButton#AudiableTickButton, QPushButton#BeatButton {
    min-width: 40px; max-width: 40px; min-height: 40px; max-height: 40px;
}
QPushButton#TempoDecButton { border-image: url(:/TempoDec.png) 0 0 0 0; }
QPushButton#TempoDecButton:pressed { border-image: url(:/TempoDec_pressed.png) 0 0 0 0; }
QPushButton#TempoIncButton { border-image: url(:/TempoInc.png) 0 0 0 0; }
QPushButton#TempoIncButton:pressed { border-image: url(:/TempoInc_pressed.png) 0 0 0 0; }
QPushButton#VisibleTickButton { border-image: url(:/VisibleTick.png) 0 0 0 0; }
QPushButton#VisibleTickButton:checked { border-image: url(:/VisibleTick_off.png) 0 0 0 0; }
QPushButton#AudiableTickButton { border-image: url(:/AudibleTick.png) 0 0 0 0; }
QPushButton#AudiableTickButton:checked { border-image: url(:/AudibleTick_off.png) 0 0 0 0; }
QPushButton#BeatButton { border-image: url(:/BeatsPerBar.png) 0 0 0 0; }
QPushButton#BeatCombo {
    color: white; font-size: 18px; font-weight: bold;
    min-width: 50px; min-height: 36px; padding: 0px 14px 0px 6px;
    border: 1px solid rgb(150,112,60); border-radius: 5px; background: rgba(0,0,0,150);
}
QPushButton#BeatCombo::menu-indicator {
    image: url(:/BeatMenuArrow.png); width: 10px; height: 10px;
    subcontrol-origin: padding; subcontrol-position: right center; right: 4px;
}
QFrame#MetronomeControls QTreeWidget {
    min-width: 188px; max-width: 188px; min-height: 128px; max-height: 128px;
    color: rgb(232,226,214); background: rgba(0,0,0,160); font-size: 13px;
    border: 1px solid rgb(150,112,60); border-radius: 5px; outline: none;
}
QFrame#MetronomeControls QTreeWidget::item { height: 20px; }
QFrame#MetronomeControls QTreeWidget::item:selected {
    color: black;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(255,222,140), stop:1 rgb(214,150,50));
}
QPushButton#BeatCombo QMenu {
    color: rgb(232,226,214); background: rgb(30,22,16); border: 1px solid rgb(150,112,60);
}
QPushButton#BeatCombo QMenu::item { padding: 3px 24px; }
QPushButton#BeatCombo QMenu::item:selected { color: black; background: rgb(240,180,80); }
QLabel#Beat:enabled { border-image: url(:/BeatLampOn.png) 0 0 0 0; }
QLabel#Beat:disabled { border-image: url(:/BeatLampOff.png) 0 0 0 0; }
)CSS";

const char* const notesFinderSheet = R"CSS(
QFrame#PianoNotesFinderMainPage { background: rgb(24,22,22); }
QFrame#DecoratedNotesWidget {
    border: 1px solid rgb(120,100,70); border-radius: 6px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(252,248,236), stop:1 rgb(236,228,208));
}
QFrame#DecoratedNotesWidget QFrame { color: rgb(40,32,24); }
QLabel#NoteLabel { color: rgb(120,30,20); }
QPushButton#NaturalSignButton { border-image: url(:/NaturalSign.png) 0 0 0 0; }
QPushButton#NaturalSignButton:checked { border-image: url(:/NaturalSign_checked.png) 0 0 0 0; }
QPushButton#SharpSignButton { border-image: url(:/SharpSign.png) 0 0 0 0; }
QPushButton#SharpSignButton:checked { border-image: url(:/SharpSign_checked.png) 0 0 0 0; }
QPushButton#FlatSignButton { border-image: url(:/FlatSign.png) 0 0 0 0; }
QPushButton#FlatSignButton:checked { border-image: url(:/FlatSign_checked.png) 0 0 0 0; }
)CSS";

} // namespace

QString PageStyleSheets::metronome()
{
    return QString::fromUtf8(metronomeSheet);
}

QString PageStyleSheets::notesFinder()
{
    return QString::fromUtf8(notesFinderSheet);
}

QStringList PageStyleSheets::imageNames()
{
    return AppStyleSheet::imageNamesOf(metronome() + notesFinder());
}

} // namespace VADirur
