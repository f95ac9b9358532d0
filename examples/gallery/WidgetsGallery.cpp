// gallery widgets: every small widget of the kit on one page, styled by the
// page's own style sheet as a host application would style them.
#include "AdvancedLabel.h"
#include "AniSwitch.h"
#include "CheckButton.h"
#include "ColorWidget.h"
#include "ComboProgress.h"
#include "CommunityButton.h"
#include "DateWidget.h"
#include "EmailEdit.h"
#include "GalleryPages.h"
#include "MenuButton.h"
#include "MobileSimulator.h"
#include "RadioBox.h"
#include "ScreenLocker.h"
#include "SearchFilter.h"
#include "UltraRadioBox.h"
#include "VisibleChildren.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

const char* pageStyle = R"(
QPushButton#GalleryChoice { border: 1px solid #9a9aa2; background: #f7f7f9; padding: 4px 10px; }
QPushButton#GalleryChoice:checked { border-color: #2f8a47; background: #3fae5a; color: white;
    font-weight: bold; }
QPushButton#AniSwitchIcon { border: none; image: url(:/AudibleTick_off.png); }
QPushButton#AniSwitchIcon:checked { image: url(:/AudibleTick.png); }
QPushButton#AniSwitchOnArea { border: none; min-width: 45px; margin: 7px 0px 7px 4px;
    border-top-left-radius: 8px; border-bottom-left-radius: 8px; background: #3fae5a; }
QPushButton#AniSwitchOffArea { border: none; min-width: 45px; margin: 7px 4px 7px 0px;
    border-top-right-radius: 8px; border-bottom-right-radius: 8px; background: #b9b9c0; }
QPushButton#AniSwitchHandler { border: 1px solid #77777f; border-radius: 14px;
    background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 white, stop: 1 #dcdce2); }
QPushButton#ComboProgressStop { border: none; border-radius: 3px; background: #c8392f; }
QPushButton#EmailEditButton { border: none; image: url(:/feedback.png); }
QPushButton#CardEditButton { border: none; image: url(:/nicetohave.png); }
QPushButton#EmailEditButton:disabled, QPushButton#CardEditButton:disabled { image: none;
    margin: 6px; border-radius: 6px; background: #c4c4ca; }
QLineEdit#SearchFilter { background: #3c3c44; color: white; border: 1px solid #26262c;
    border-radius: 4px; min-height: 24px; padding-right: 26px; }
QPushButton#SearchFilterDel { border: none; border-radius: 8px; background: #9a9aa2; }
QPushButton#GalleryMenuButton { background: #3c3c44; border: none; border-radius: 6px;
    padding-bottom: 22px; }
QFrame#MobileSimulator { border: 9px solid #26262c; border-radius: 14px; background: #f4f4f6; }
)";

QPushButton* faceButton(const QString& picture)
{
    auto* button = new QPushButton;
    button->setIcon(QIcon(QStringLiteral(":/") + picture));
    button->setIconSize(QSize(36, 36));
    button->setFixedSize(48, 48);
    return button;
}

class WidgetsPage : public QWidget
{
    Q_OBJECT

public:
    WidgetsPage()
    {
        setWindowTitle(tr("Widgets"));
        setStyleSheet(QString::fromLatin1(pageStyle));
        auto* columns = new QHBoxLayout(this);
        columns->addLayout(selectors(), 1);
        columns->addSpacing(20);
        columns->addLayout(fields(), 1);
    }

private:
    QFormLayout* selectors()
    {
        auto* form = new QFormLayout;
        auto* radio = new DORuverud::RadioBox(QBoxLayout::LeftToRight);
        for (const QString& size : {tr("Small"), tr("Medium"), tr("Large")}) {
            auto* choice = new QPushButton(size);
            choice->setObjectName("GalleryChoice");
            radio->addButton(choice);
        }
        // A choice made, as a host restores the last one.
        radio->findChildren<QPushButton*>().at(1)->click();
        form->addRow(tr("RadioBox"), radio);
        auto* ultra = new DORuverud::UltraRadioBox;
        const QStringList pictures
            = {"guitar.png", "piano.png", "banjo.png", "ukulele.png", "mandolin.png"};
        QList<QPushButton*> choices;
        for (const QString& picture : pictures) {
            choices << faceButton(picture);
            ultra->addButton(choices.last(), QString(picture).remove(".png"));
        }
        // Each added button shows on the face until a choice is made.
        ultra->setCurrentButton(choices.first());
        form->addRow(tr("UltraRadioBox"), ultra);
        auto* colour = new DORuverud::ColorWidget;
        colour->setFixedSize(28, 28);
        form->addRow(tr("ColorWidget"), colour);
        // A date of birth, as a form shows one it has read back.
        auto* date = new DORuverud::DateWidget(0);
        date->setDay(14);
        date->setMonth(3);
        date->setYear(1990);
        form->addRow(tr("DateWidget"), date);
        form->addRow(tr("CheckButton"), checkButton());
        auto* ani = new DORuverud::AniSwitch;
        ani->setFixedSize(122, 32);
        ani->init(true, true);
        form->addRow(tr("AniSwitch"), ani);
        form->addRow(tr("CommunityButton"), communityButton());
        auto* menu = new DORuverud::MenuButton;
        menu->setObjectName("GalleryMenuButton");
        menu->setIcon(QIcon(":/moreappsicon.png"));
        menu->setIconSize(QSize(26, 26));
        menu->setFixedSize(64, 60);
        form->addRow(tr("MenuButton"), menu);
        return form;
    }

    QFormLayout* fields()
    {
        auto* form = new QFormLayout;
        auto* label = new DORuverud::AdvancedLabel;
        label->setFixedSize(150, 100);
        label->setMargin(4);
        // An opaque picture without words of its own under the caption: the
        // video poster without its rows of sprocket holes, in the proportions
        // it is drawn at.
        label->setBackgroundPixmap(QPixmap(":/pix/zadu2.jpg").copy(120, 16, 224, 145));
        label->setText(tr("Hover me"));
        QPalette light = label->palette();
        light.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(light);
        form->addRow(tr("AdvancedLabel"), label);
        form->addRow(tr("ComboProgress"), progressStrip());
        form->addRow(tr("EmailEdit"), new DORuverud::EmailEdit);
        auto* search = new DORuverud::SearchFilter;
        search->setMinimumWidth(220);
        form->addRow(tr("SearchFilter"), search);
        form->addRow(tr("MobileSimulator"), simulator());
        auto* lock = new QPushButton(tr("Lock the screen"));
        connect(lock, &QPushButton::clicked, this, &WidgetsPage::lockScreen);
        form->addRow(tr("ScreenLocker"), lock);
        return form;
    }

    QWidget* checkButton()
    {
        auto* button = new DORuverud::CheckButton;
        button->setText(tr("Off"));
        connect(
            button, &DORuverud::CheckButton::onClicked, [button] { button->setText(tr("On")); });
        connect(
            button, &DORuverud::CheckButton::offClicked, [button] { button->setText(tr("Off")); });
        return button;
    }

    QWidget* communityButton()
    {
        auto* button = new DORuverud::CommunityButton;
        button->setText(tr("Community"));
        button->setFaceBook("https://friends.example.org/tessivar");
        button->setYouTube("https://videos.example.org/tessivar");
        button->setTwitter("https://messages.example.org/tessivar");
        button->setXing("https://work.example.org/quelmar");
        button->setMoiMir("https://world.example.org/tessivar");
        return button;
    }

    // The strip counts to 100 when started; its stop button ends the count.
    QWidget* progressStrip()
    {
        auto* box = new QWidget;
        auto* strip = new DORuverud::ComboProgress;
        strip->label()->setText(tr("Ready"));
        auto* start = new QPushButton(tr("Start"));
        auto* timer = new QTimer(box);
        timer->setInterval(60);
        connect(start, &QPushButton::clicked, [strip, timer] {
            strip->slotSetProgress(0);
            timer->start();
        });
        connect(timer, &QTimer::timeout, [strip, timer] {
            const int next = strip->isStopped() ? 100 : strip->progress() + 2;
            strip->label()->setText(strip->isStopped() ? tr("Stopped") : tr("Done"));
            strip->slotSetProgress(next);
            if (next >= 100)
                timer->stop();
        });
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(strip, 1);
        row->addWidget(start);
        strip->slotSetProgress(40);
        return box;
    }

    QWidget* simulator()
    {
        auto* box = new QWidget;
        auto* frame = new DORuverud::MobileSimulator;
        auto* list = new QListWidget;
        list->addItems({tr("C major"), tr("A minor"), tr("G 7")});
        list->setFixedSize(110, 120);
        frame->setMainWidget(new QLabel(tr("Main\nwidget")));
        frame->setMainWidget(list);
        auto* shown = new QCheckBox(tr("Children shown"));
        shown->setChecked(true);
        connect(shown, &QCheckBox::toggled,
            [frame](bool on) { DORuverud::setVisibleChildren(frame, on); });
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(frame);
        column->addWidget(shown);
        return box;
    }

    void lockScreen()
    {
        auto* locker = new DORuverud::ScreenLocker;
        locker->setText(tr("Locked"));
        locker->setAlignment(Qt::AlignCenter);
        locker->showUnlockButton();
        connect(locker, &DORuverud::ScreenLocker::unlocked, locker, &QObject::deleteLater);
    }
};

GalleryPages::Entry entry("widgets", [] { return new WidgetsPage; });

} // namespace

#include "WidgetsGallery.moc"
