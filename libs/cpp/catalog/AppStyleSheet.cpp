#include "AppStyleSheet.h"

#include "App.h"

#include <QRegularExpression>

namespace VADirur {

namespace {

// Vertical gradients run from the bottom (y 1) to the top (y 0). A focused
// dialog button keeps its font size: a larger one would not fit the button,
// whose size was set for the smaller text.
const char* const styleTemplate = R"CSS(
QCheckBox { color: lightgray; }
QListWidget {
    font-size: 14px; text-align: left;
    padding-left: 10px; padding-right: 10px; padding-top: 15px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(50,50,50), stop:0.4 rgb(20,20,20));
}
QListWidget:focus { border-color: black; }
QListView::item { color: white; }
QListView::item:selected:active {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:0.1 rgb(100,12,0), stop:0.1 rgb(150,0,0), stop:1 rgb(200,20,0));
}
QListView::item:selected:!active {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:0.1 rgb(100,12,0), stop:0.1 rgb(150,0,0), stop:1 rgb(200,50,0));
}
QDialog { color: white; border-radius: 3px; border: 1px ridge #606060; }
QFrame#MainPage, QFrame#MainSeparator { background: rgb(71,71,71); border: 2px ridge gray; }
QFrame#ItemsPanel { color: white; background: rgb(40,40,40); }
QPushButton#PianoItem { border-image: url(:/PianoItem.png) 0 0 0 0; }
QPushButton#PianoItem:hover { border-image: url(:/PianoItem_hover.png) 0 0 0 0; }
QPushButton#PianoItem:checked { border-image: url(:/PianoItem_checked.png) 0 0 0 0; }
QPushButton#BassItem { border-image: url(:/BassItem.png) 0 0 0 0; }
QPushButton#BassItem:hover { border-image: url(:/BassItem_hover.png) 0 0 0 0; }
QPushButton#BassItem:checked { border-image: url(:/BassItem_checked.png) 0 0 0 0; }
QPushButton#BalalaikaItem { border-image: url(:/BalalaikaItem.png) 0 0 0 0; }
QPushButton#BalalaikaItem:hover { border-image: url(:/BalalaikaItem_hover.png) 0 0 0 0; }
QPushButton#BalalaikaItem:checked { border-image: url(:/BalalaikaItem_checked.png) 0 0 0 0; }
QPushButton#BanjoItem { border-image: url(:/BanjoItem.png) 0 0 0 0; }
QPushButton#BanjoItem:hover { border-image: url(:/BanjoItem_hover.png) 0 0 0 0; }
QPushButton#BanjoItem:checked { border-image: url(:/BanjoItem_checked.png) 0 0 0 0; }
QPushButton#GuitarItem { border-image: url(:/GuitarItem.png) 0 0 0 0; }
QPushButton#GuitarItem:hover { border-image: url(:/GuitarItem_hover.png) 0 0 0 0; }
QPushButton#GuitarItem:checked { border-image: url(:/GuitarItem_checked.png) 0 0 0 0; }
QPushButton#MandolinItem { border-image: url(:/MandolinItem.png) 0 0 0 0; }
QPushButton#MandolinItem:hover { border-image: url(:/MandolinItem_hover.png) 0 0 0 0; }
QPushButton#MandolinItem:checked { border-image: url(:/MandolinItem_checked.png) 0 0 0 0; }
QPushButton#UkuleleItem { border-image: url(:/UkuleleItem.png) 0 0 0 0; }
QPushButton#UkuleleItem:hover { border-image: url(:/UkuleleItem_hover.png) 0 0 0 0; }
QPushButton#UkuleleItem:checked { border-image: url(:/UkuleleItem_checked.png) 0 0 0 0; }
QPushButton#FaceBookShareButton { border-image: url(:/facebookshare.png) 0 0 0 0; }
QPushButton#FaceBookShareButton:hover { border-image: url(:/facebookshare_hover.png) 0 0 0 0; }
QPushButton#TwitterShareButton { border-image: url(:/twittershare.png) 0 0 0 0; }
QPushButton#TwitterShareButton:hover { border-image: url(:/twittershare_hover.png) 0 0 0 0; }
QPushButton#VKontakteShareButton { border-image: url(:/vkontakteshare.png) 0 0 0 0; }
QPushButton#VKontakteShareButton:hover { border-image: url(:/vkontakteshare_hover.png) 0 0 0 0; }
QPushButton#EmailShareButton { border-image: url(:/emailshare.png) 0 0 0 0; }
QPushButton#EmailShareButton:hover { border-image: url(:/emailshare_hover.png) 0 0 0 0; }
QPushButton#JoinButton {
    min-width: <!ToolButonSize!>; min-height: <!ToolButonSize!>;
    border-image: url(:/join.png) 0 0 0 0;
}
QPushButton#JoinButton:hover { border-image: url(:/join_hover.png) 0 0 0 0; }
QPushButton#FaceBookJoinButton { border-image: url(:/facebookjoin.png) 0 0 0 0; }
QPushButton#FaceBookJoinButton:hover { border-image: url(:/facebookjoin_hover.png) 0 0 0 0; }
QPushButton#VKontakteJoinButton { border-image: url(:/vkontaktejoin.png) 0 0 0 0; }
QPushButton#VKontakteJoinButton:hover { border-image: url(:/vkontaktejoin_hover.png) 0 0 0 0; }
QPushButton#TwitterJoinButton { border-image: url(:/twitterjoin.png) 0 0 0 0; }
QPushButton#TwitterJoinButton:hover { border-image: url(:/twitterjoin_hover.png) 0 0 0 0; }
QPushButton#EmailJoinButton { border-image: url(:/emailjoin.png) 0 0 0 0; }
QPushButton#EmailJoinButton:hover { border-image: url(:/emailjoin_hover.png) 0 0 0 0; }
QFrame#MenuBar {
    padding-bottom: 7px; min-height: <!ToolMenuSize!>; max-height: <!ToolMenuSize!>;
    border-image: url(:/backgroundbar.png) 0 0 0 0; border: none;
}
QTabBar { alignment: center; }
QTabBar::tab {
    color: lightgray;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(50,50,50,220), stop:0.4 rgba(10,10,10,220), stop:0.1 rgba(50,50,50,220));
    height: <!TabHeight!>; width: <!TabWidth!>; font: <!TabFontSize!>; margin: 0px;
}
QTabBar::tab:selected {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(120,120,120,220), stop:0.4 rgba(30,30,30,220), stop:0.1 rgba(120,120,120,220));
}
QTabBar QToolButton { width: <!TabScrollerWidth!>; }
QTabBar QToolButton::right-arrow {
    image: url(:/arrowright.png);
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(50,50,50,220), stop:0.4 rgba(10,10,10,220), stop:0.1 rgba(50,50,50,220));
}
QTabBar QToolButton::left-arrow {
    image: url(:/arrowleft.png);
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(50,50,50,220), stop:0.4 rgba(10,10,10,220), stop:0.1 rgba(50,50,50,220));
}
QWidget#ChordButtonsFrame, QWidget#ChordOptionsFrame, QWidget#ViewOptionsFrame, QWidget#TransposerFrame {
    background-image: url(:/panelbackground.png); border-radius: 8px; border: 2px ridge gray;
}
QFrame#TuneButtonsPanel, QFrame#TunersCommonPanel, QFrame#ModesPanel {
    color: white; background: rgba(10,10,10,140); border: none;
}
QLabel {
    color: white;
    background: qradialgradient(cx:0, cy:0, radius:1, fx:0.1, fy:0.1, stop:0.7 rgb(80,80,100), stop:0 rgba(55,60,100,80), stop:1 rgba(0,0,105,50));
    border-radius: 4px; padding: 2px;
}
QLabel#LogoLabel { border-image: url(:/app.png) 0 0 0 0; }
QLabel#SimpleText {
    color: white; background: transparent; border-radius: 0px; padding: 0px; font-size: 11px;
}
QFrame#InstrumentLabel_mandolin, QFrame#InstrumentLabel_guitar, QFrame#InstrumentLabel_piano,
QFrame#InstrumentLabel_ukulele, QFrame#InstrumentLabel_banjo, QFrame#InstrumentLabel_balalaika,
QFrame#InstrumentLabel_bass, QFrame#InstrumentLabel_bass2 {
    color: white; border-radius: 0px; padding: 0px;
}
QFrame#InstrumentLabel_mandolin { border-image: url(:/mandolin.png) 0 0 0 0; }
QFrame#InstrumentLabel_guitar { border-image: url(:/guitar.png) 0 0 0 0; }
QFrame#InstrumentLabel_piano { border-image: url(:/piano.png) 0 0 0 0; }
QFrame#InstrumentLabel_ukulele { border-image: url(:/ukulele.png) 0 0 0 0; }
QFrame#InstrumentLabel_banjo { border-image: url(:/banjo.png) 0 0 0 0; }
QFrame#InstrumentLabel_balalaika { border-image: url(:/balalaika.png) 0 0 0 0; }
QFrame#InstrumentLabel_bass, QFrame#InstrumentLabel_bass2 { border-image: url(:/bass.png) 0 0 0 0; }
QMenu#TransposerMenu, QMenu#FavoritesMenu, QMenu {
    color: white;
    background: qlineargradient(x1:1, y1:1, x2:0, y2:0, stop:0 rgb(10,10,10), stop:1 rgb(80,80,80));
    border-radius: 5px; border: 2px ridge gray;
}
QMenu#TransposerMenu::item, QMenu#FavoritesMenu::item, QMenu::item {
    padding: 2px 25px 2px 20px; border: 1px solid transparent; margin: 2px;
}
QMenu#TransposerMenu::item:selected, QMenu#FavoritesMenu::item:selected, QMenu::item:selected {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:0.1 rgb(4,12,100), stop:0.1 rgb(0,0,155), stop:1 rgba(131,167,222,50));
    border-radius: 5px;
}
QMenu::separator { height: 1px; background: lightgray; margin-left: 10px; margin-right: 5px; }
QMenu::item:disabled { color: gray; }
QMenu::indicator { color: white; width: 13px; height: 13px; }
QFrame#TunersExplorer { color: white; border: none; }
QLineEdit {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(80,80,80,255), stop:0.4 rgba(133,133,135,255), stop:0.1 rgba(80,80,80,255));
    border-radius: 5px; border: 1px inset white; color: white; selection-background-color: white;
}
QWidget#AboutDialog, QWidget#Dialog, QWidget#MessageBox, QWidget#InputDialog { background: rgb(71,71,71); }
QPushButton#HelpSlideButton {
    border-radius: 9px; font: bold 10px; color: gray; border: none;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(133,133,135,127), stop:0.4 rgba(31,31,33,127), stop:0.1 rgba(133,133,135,127));
}
QPushButton#HelpSlideButton:pressed, QPushButton#HelpSlideButton:checked {
    color: white;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:0.1 rgb(4,12,100), stop:0.1 rgb(0,0,155), stop:1 rgba(131,167,222,50));
}
QPushButton#TuneButton {
    font: bold 18px; border-radius: 5px; color: lightgray; border: none; padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(133,133,135,127), stop:0.4 rgba(31,31,33,127), stop:0.1 rgba(133,133,135,127));
}
QPushButton#TuneButton:pressed, QPushButton#TuneButton:checked {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(31,31,33,127), stop:0.4 rgba(133,133,135,127), stop:0.1 rgba(31,31,31,127));
}
QPushButton#PanelButton {
    min-width: <!PANEL_BUTTON_MINWIDTH!>; min-height: <!PANEL_BUTTON_MINHEIGHT!>;
    font: bold <!PanelButtonFontSize!>; border-radius: 5px; color: lightgray; border: none;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(50,50,50,220), stop:0.4 rgba(10,10,10,220), stop:0.1 rgba(50,50,50,220));
}
QPushButton#PanelButton:pressed, QPushButton#PanelButton:checked {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(120,120,120,220), stop:0.4 rgba(30,30,30,220), stop:0.1 rgba(120,120,120,220));
    border: 2px ridge rgb(170,170,170);
}
QPushButton#TransposerButton {
    border: 1px solid gray; font: bold <!TRANSPOSER_BUTTON_FONTSIZE!>; border-radius: 5px;
    color: lightgray; padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(60,60,60), stop:0.4 rgb(30,30,30), stop:0.1 rgb(60,60,60));
}
QPushButton#TransposerButton:pressed {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(31,31,33), stop:0.4 rgb(80,80,80), stop:0.1 rgb(31,31,31));
}
QPushButton#TransposerButton:disabled {
    color: #AAAAAA;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(120,120,120,220), stop:0.4 rgba(100,100,100,220), stop:0.1 rgba(120,120,120,220));
}
QPushButton#DeleteButton {
    border: 1px solid red; font: bold 14px; border-radius: 5px; color: white; padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(180,0,0), stop:0.4 rgb(140,0,0), stop:0.1 rgb(180,0,0));
}
QPushButton#PushButton {
    border: 1px solid gray; font: bold <!PUSHBUTTON_FONTSIZE!>; border-radius: 5px;
    color: lightgray; padding: 1px 8px 1px 8px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(60,60,60), stop:0.4 rgb(30,30,30), stop:0.1 rgb(60,60,60));
}
QPushButton#PushButton:pressed {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(31,31,33), stop:0.4 rgb(80,80,80), stop:0.1 rgb(31,31,31));
}
QPushButton#PushButton:disabled {
    color: #AAAAAA;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(120,120,120,220), stop:0.4 rgba(100,100,100,220), stop:0.1 rgba(120,120,120,220));
}
QPushButton#PushButton:focus {
    border: 1px solid white; color: white;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(90,90,90), stop:0.4 rgb(41,41,43), stop:0.1 rgb(90,90,90));
}
QPushButton#PushButtonAdd, QPushButton#PushButtonRemove {
    border: 1px solid gray; border-radius: 20px; color: lightgray; font: bold 28px;
    padding: -4px 1px 1px 1px;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgb(80,80,80), stop:0.4 rgb(31,31,33), stop:0.1 rgb(80,80,80));
}
QPushButton#PushButtonAdd:pressed, QPushButton#PushButtonRemove:pressed {
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(120,120,120,220), stop:0.4 rgba(30,30,30,220), stop:0.1 rgba(120,120,120,220));
}
QPushButton#PushButtonAdd:disabled, QPushButton#PushButtonRemove:disabled {
    color: #AAAAAA;
    background: qlineargradient(x1:0, y1:1, x2:0, y2:0, stop:1 rgba(120,120,120,220), stop:0.4 rgba(100,100,100,220), stop:0.1 rgba(120,120,120,220));
}
QPushButton#PlayButton {
    min-width: <!PlayButtonSize!>; max-width: <!PlayButtonSize!>;
    min-height: <!PlayButtonSize!>; max-height: <!PlayButtonSize!>;
    border-image: url(:/Play.png) 0 0 0 0;
}
QPushButton#PlayButton:hover { border-image: url(:/Play_hvr.png) 0 0 0 0; }
QPushButton#PlayButton:pressed, QPushButton#PlayButton:checked { border-image: url(:/Play_prs.png) 0 0 0 0; }
QPushButton#PlayButton:pressed:hover, QPushButton#PlayButton:checked:hover { border-image: url(:/Play_prs_hvr.png) 0 0 0 0; }
QPushButton#AppButton, QPushButton#MoreAppsButton, QPushButton#RateButton, QPushButton#ShareButton,
QPushButton#IntroButton, QPushButton#MoreButton {
    min-width: <!ToolButonSize!>; min-height: <!ToolButonSize!>;
}
QPushButton#AppButton { border-image: url(:/AppButton.png) 0 0 0 0; }
QPushButton#AppButton:hover { border-image: url(:/AppButton_hover.png) 0 0 0 0; }
QPushButton#MoreAppsButton { border-image: url(:/MoreAppsButton.png) 0 0 0 0; }
QPushButton#MoreAppsButton:hover { border-image: url(:/MoreAppsButton_hover.png) 0 0 0 0; }
QPushButton#RateButton { border-image: url(:/RateButton.png) 0 0 0 0; }
QPushButton#RateButton:hover { border-image: url(:/RateButton_hover.png) 0 0 0 0; }
QPushButton#ShareButton { border-image: url(:/share.png) 0 0 0 0; }
QPushButton#ShareButton:hover { border-image: url(:/share_hover.png) 0 0 0 0; }
QPushButton#IntroButton { border-image: url(:/Help.png) 0 0 0 0; }
QPushButton#IntroButton:hover { border-image: url(:/Help_hover.png) 0 0 0 0; }
QPushButton#MoreButton { border-image: url(:/More.png) 0 0 0 0; }
QPushButton#MoreButton:hover { border-image: url(:/More_hover.png) 0 0 0 0; }
QPushButton::menu-indicator {
    subcontrol-origin: padding; subcontrol-position: bottom center;
    width: 8px; height: 8px; image: url(:/spinbox_button2.png);
}
)CSS";

struct Placeholder
{
    const char* name;
    const char* normal;
    const char* pocket;
};

// In the order they are replaced.
const Placeholder placeholders[] = {
    {"<!PANEL_BUTTON_MINWIDTH!>", "32px", "28px"},
    {"<!PANEL_BUTTON_MINHEIGHT!>", "32px", "28px"},
    {"<!PUSHBUTTON_FONTSIZE!>", "14px", "14px"},
    {"<!TRANSPOSER_BUTTON_FONTSIZE!>", "14px", "11px"},
    {"<!TabHeight!>", "40px", "40px"},
    {"<!TabWidth!>", "55px", "55px"},
    {"<!TabFontSize!>", "12px", "12px"},
    {"<!PlayButtonSize!>", "48px", "48px"},
    {"<!PanelButtonFontSize!>", "16px", "16px"},
    {"<!ToolButonSize!>", "32px", "32px"},
    {"<!ToolMenuSize!>", "44px", "44px"},
    {"<!TabScrollerWidth!>", "40px", "40px"},
};

} // namespace

QString AppStyleSheet::templateText()
{
    return QString::fromLatin1(styleTemplate);
}

QString AppStyleSheet::filled(bool pocket)
{
    QString sheet = templateText();
    for (const Placeholder& placeholder : placeholders)
        sheet.replace(QLatin1String(placeholder.name),
            QLatin1String(pocket ? placeholder.pocket : placeholder.normal));
    return sheet;
}

QString AppStyleSheet::text()
{
    static const QString sheet = filled(DORuverud::App::theApp()->isPocketDevice());
    return sheet;
}

QStringList AppStyleSheet::imageNames()
{
    return imageNamesOf(templateText());
}

QStringList AppStyleSheet::imageNamesOf(const QString& sheet)
{
    static const QRegularExpression url(QStringLiteral("url\\(:/([^)]+)\\)"));
    QStringList names;
    QRegularExpressionMatchIterator it = url.globalMatch(sheet);
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

} // namespace VADirur
