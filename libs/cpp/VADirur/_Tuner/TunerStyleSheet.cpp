#include "TunerStyleSheet.h"

namespace VADirur {

// Vertical gradients run from the bottom (y 1) to the top (y 0). The
// cello's normal picture lies in a folder of the resource tree. Every
// picture is a resource, found whatever the working folder. The strips'
// texts have sizes of their own, so that the tuner keeps its width on any
// desktop font.
const QString strStyle = QStringLiteral(R"CSS(
QCheckBox { color: lightgray; }
QFrame#TunersCommonPanel QCheckBox, QFrame#ModesPanel QCheckBox, QFrame#TunersExplorer QLabel {
    font: 12px;
}
QFrame#MainPage, QFrame#MainSeparator { background: black; border: 2px ridge gray; }
QFrame#TuneButtonsPanel, QFrame#TunersCommonPanel, QFrame#ModesPanel {
    color: white; background: rgba(10,10,10,140); border: none;
}
QLabel {
    color: white;
    background: qradialgradient(cx:0, cy:0, radius: 1, fx:0.1, fy:0.1, stop:0.7 rgb(80,80,100), stop:0 rgba(55,60,100,80), stop:1 rgba(0,0,105,50));
    border-radius: 4px; padding: 2px;
}
QLabel#LogoLabel { border-image: url(:/app.png) 0 0 0 0; }
QMenu {
    color: white;
    background: qlineargradient(x1:1, y1:1, x2:0, y2:0, stop:0 rgb(10,10,10), stop:1 rgb(80,80,80));
    border-radius: 5px; border: 2px ridge gray;
}
QMenu::item { padding: 2px 25px 2px 20px; border: 1px transparent; margin: 2px; }
QMenu:!active { background-image: url(:/background.png); }
QMenu::item:selected {
    background-color: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:0.1 rgb(4,12,100), stop:0.1 rgb(0,0,155), stop:1 rgba(131,167,222,50));
    border-radius: 5px;
}
QMenu::separator { height: 1px; background: lightgray; margin-left: 10px; margin-right: 5px; }
QMenu::item:disabled { color: gray; }
QMenu::indicator { color: white; width: 13px; height: 13px; }
QFrame#TunersExplorer { color: white; background-image: url(:/background.png); border: none; }
QWidget#AboutDialog, QWidget#Dialog {
    color: white; background-image: url(:/aboutbackground.png); border: none;
}
QPushButton#TuneButton {
    font: bold 18px; border-radius: 5px; color: lightgray; border: none; padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(133,133,135,127), stop:0.4 rgba(31,31,33,127), stop:0.1 rgba(133,133,135,127));
}
QPushButton#TuneButton:pressed, QPushButton#TuneButton:checked {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(31,31,33,127), stop:0.4 rgba(133,133,135,127), stop:0.1 rgba(31,31,31,127));
}
QPushButton#PanelButton {
    font: bold 14px; border-radius: 5px; color: lightgray; border: none; padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(133,133,135,127), stop:0.4 rgba(31,31,33,127), stop:0.1 rgba(133,133,135,127));
}
QPushButton#PanelButton:pressed {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(31,31,33,127), stop:0.4 rgba(133,133,135,127), stop:0.1 rgba(31,31,31,127));
}
QPushButton#FaceBookShareButton { border-image: url(:/facebookshare.png) 0 0 0 0; }
QPushButton#FaceBookShareButton:hover { border-image: url(:/facebookshare_hover.png) 0 0 0 0; }
QPushButton#TwitterShareButton { border-image: url(:/twittershare.png) 0 0 0 0; }
QPushButton#TwitterShareButton:hover { border-image: url(:/twittershare_hover.png) 0 0 0 0; }
QPushButton#EmailShareButton { border-image: url(:/emailshare.png) 0 0 0 0; }
QPushButton#EmailShareButton:hover { border-image: url(:/emailshare_hover.png) 0 0 0 0; }
QPushButton#PushButton {
    border: 1px solid gray; font: bold 14px; border-radius: 5px; color: lightgray;
    padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(80,80,80), stop:0.4 rgb(31,31,33), stop:0.1 rgb(80,80,80));
}
QPushButton#PushButton:pressed {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(31,31,33), stop:0.4 rgb(80,80,80), stop:0.1 rgb(31,31,31));
}
QPushButton::menu-indicator {
    margin: 1px; subcontrol-origin: border; subcontrol-position: bottom midle;
    width: 9px; height: 9px; background-image: url(:/spinbox_button_dw.png);
}
QPushButton#TessivarButton { border-image: url(:/TessivarButton.png) 0 0 0 0; }
QPushButton#TessivarButton:hover { border-image: url(:/TessivarButton_hvr.png) 0 0 0 0; }
QPushButton#TessivarButton:pressed { border-image: url(:/TessivarButton_pressed.png) 0 0 0 0; }
QPushButton#ViolinButton { border-image: url(:/ViolinButton.png) 0 0 0 0; }
QPushButton#ViolinButton:hover { border-image: url(:/ViolinButton_hvr.png) 0 0 0 0; }
QPushButton#ViolinButton:pressed, QPushButton#ViolinButton:checked { border-image: url(:/ViolinButton_pressed.png) 0 0 0 0; }
QPushButton#ViolinButton:pressed:hover, QPushButton#ViolinButton:checked:hover {
    border-image: url(:/ViolinButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#ViolaButton { border-image: url(:/ViolaButton.png) 0 0 0 0; }
QPushButton#ViolaButton:hover { border-image: url(:/ViolaButton_hvr.png) 0 0 0 0; }
QPushButton#ViolaButton:pressed, QPushButton#ViolaButton:checked { border-image: url(:/ViolaButton_pressed.png) 0 0 0 0; }
QPushButton#ViolaButton:pressed:hover, QPushButton#ViolaButton:checked:hover {
    border-image: url(:/ViolaButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#CelloButton { border-image: url(:/_resources/imgs/CelloButton.png) 0 0 0 0; }
QPushButton#CelloButton:hover { border-image: url(:/CelloButton_hvr.png) 0 0 0 0; }
QPushButton#CelloButton:pressed, QPushButton#CelloButton:checked { border-image: url(:/CelloButton_pressed.png) 0 0 0 0; }
QPushButton#CelloButton:pressed:hover, QPushButton#CelloButton:checked:hover {
    border-image: url(:/CelloButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#DoubleBassButton { border-image: url(:/DoubleBassButton.png) 0 0 0 0; }
QPushButton#DoubleBassButton:hover { border-image: url(:/DoubleBassButton_hvr.png) 0 0 0 0; }
QPushButton#DoubleBassButton:pressed, QPushButton#DoubleBassButton:checked { border-image: url(:/DoubleBassButton_pressed.png) 0 0 0 0; }
QPushButton#DoubleBassButton:pressed:hover, QPushButton#DoubleBassButton:checked:hover {
    border-image: url(:/DoubleBassButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#GuitarButton { border-image: url(:/GuitarButton.png) 0 0 0 0; }
QPushButton#GuitarButton:hover { border-image: url(:/GuitarButton_hvr.png) 0 0 0 0; }
QPushButton#GuitarButton:pressed, QPushButton#GuitarButton:checked { border-image: url(:/GuitarButton_pressed.png) 0 0 0 0; }
QPushButton#GuitarButton:pressed:hover, QPushButton#GuitarButton:checked:hover {
    border-image: url(:/GuitarButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#BassGuitarButton { border-image: url(:/BassGuitarButton.png) 0 0 0 0; }
QPushButton#BassGuitarButton:hover { border-image: url(:/BassGuitarButton_hvr.png) 0 0 0 0; }
QPushButton#BassGuitarButton:pressed, QPushButton#BassGuitarButton:checked { border-image: url(:/BassGuitarButton_pressed.png) 0 0 0 0; }
QPushButton#BassGuitarButton:pressed:hover, QPushButton#BassGuitarButton:checked:hover {
    border-image: url(:/BassGuitarButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#BanjoButton { border-image: url(:/BanjoButton.png) 0 0 0 0; }
QPushButton#BanjoButton:hover { border-image: url(:/BanjoButton_hvr.png) 0 0 0 0; }
QPushButton#BanjoButton:pressed, QPushButton#BanjoButton:checked { border-image: url(:/BanjoButton_pressed.png) 0 0 0 0; }
QPushButton#BanjoButton:pressed:hover, QPushButton#BanjoButton:checked:hover {
    border-image: url(:/BanjoButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#UkuleleButton { border-image: url(:/UkuleleButton.png) 0 0 0 0; }
QPushButton#UkuleleButton:hover { border-image: url(:/UkuleleButton_hvr.png) 0 0 0 0; }
QPushButton#UkuleleButton:pressed, QPushButton#UkuleleButton:checked { border-image: url(:/UkuleleButton_pressed.png) 0 0 0 0; }
QPushButton#UkuleleButton:pressed:hover, QPushButton#UkuleleButton:checked:hover {
    border-image: url(:/UkuleleButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#MandolinButton { border-image: url(:/MandolinButton.png) 0 0 0 0; }
QPushButton#MandolinButton:hover { border-image: url(:/MandolinButton_hvr.png) 0 0 0 0; }
QPushButton#MandolinButton:pressed, QPushButton#MandolinButton:checked { border-image: url(:/MandolinButton_pressed.png) 0 0 0 0; }
QPushButton#MandolinButton:pressed:hover, QPushButton#MandolinButton:checked:hover {
    border-image: url(:/MandolinButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#BalalaikaButton { border-image: url(:/BalalaikaButton.png) 0 0 0 0; }
QPushButton#BalalaikaButton:hover { border-image: url(:/BalalaikaButton_hvr.png) 0 0 0 0; }
QPushButton#BalalaikaButton:pressed, QPushButton#BalalaikaButton:checked { border-image: url(:/BalalaikaButton_pressed.png) 0 0 0 0; }
QPushButton#BalalaikaButton:pressed:hover, QPushButton#BalalaikaButton:checked:hover {
    border-image: url(:/BalalaikaButton_pressed_hvr.png) 0 0 0 0;
}
QPushButton#DombraButton { border-image: url(:/DombraButton.png) 0 0 0 0; }
QPushButton#DombraButton:hover { border-image: url(:/DombraButton_hvr.png) 0 0 0 0; }
QPushButton#DombraButton:pressed, QPushButton#DombraButton:checked { border-image: url(:/DombraButton_pressed.png) 0 0 0 0; }
QPushButton#DombraButton:pressed:hover, QPushButton#DombraButton:checked:hover {
    border-image: url(:/DombraButton_pressed_hvr.png) 0 0 0 0;
}
)CSS");

} // namespace VADirur
