// gallery settings: the settings dialog with two example pages. The host's
// style sheet gives the save and load buttons their pictures.
#include "App.h"
#include "GalleryPages.h"
#include "SettingsDialog.h"
#include "SettingsWidget.h"
#include "TextEditIcons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

namespace {

using DORuverud::App;

// <Sound volume="80" playOnSelect="true"/>
class SoundPage : public DORuverud::SettingsWidget
{
    Q_OBJECT

public:
    SoundPage()
    {
        m_volume->setRange(0, 100);
        m_volume->setValue(App::theApp()->settingsValue("Gallery/Volume", 80).toInt());
        m_playOnSelect->setChecked(
            App::theApp()->settingsValue("Gallery/PlayOnSelect", true).toBool());
        auto* form = new QFormLayout(this);
        form->addRow(tr("Volume:"), m_volume);
        form->addRow(QString(), m_playOnSelect);
    }

    void readDom(const QDomNode& node) override
    {
        const QDomElement element = node.toElement();
        m_volume->setValue(element.attribute("volume", "80").toInt());
        m_playOnSelect->setChecked(element.attribute("playOnSelect") == "true");
    }

    QDomElement writeDom(QDomDocument& document) override
    {
        QDomElement element = document.createElement(domTagName());
        element.setAttribute("volume", m_volume->value());
        element.setAttribute("playOnSelect", m_playOnSelect->isChecked() ? "true" : "false");
        return element;
    }

    QString domTagName() const override
    {
        return QStringLiteral("Sound");
    }

    void slotApply() override
    {
        App::theApp()->setSettingsValue("Gallery/Volume", m_volume->value());
        App::theApp()->setSettingsValue("Gallery/PlayOnSelect", m_playOnSelect->isChecked());
    }

private:
    QSlider* m_volume = new QSlider(Qt::Horizontal);
    QCheckBox* m_playOnSelect = new QCheckBox(tr("Play each chord when it is selected"));
};

// <Display instrument="Guitar" nameSize="14"><Title>...</Title></Display>
class DisplayPage : public DORuverud::SettingsWidget
{
    Q_OBJECT

public:
    DisplayPage()
    {
        m_instrument->addItems({tr("Piano"), tr("Guitar"), tr("Bass"), tr("Ukulele"), tr("Banjo"),
            tr("Mandolin"), tr("Balalaika")});
        m_nameSize->setRange(8, 36);
        m_nameSize->setSuffix(tr(" pt"));
        m_nameSize->setValue(14);
        m_title->setText(tr("My first song"));
        auto* form = new QFormLayout(this);
        form->addRow(tr("First instrument:"), m_instrument);
        form->addRow(tr("Chord name size:"), m_nameSize);
        form->addRow(tr("Sequence title:"), m_title);
    }

    void readDom(const QDomNode& node) override
    {
        const QDomElement element = node.toElement();
        m_instrument->setCurrentText(element.attribute("instrument"));
        m_nameSize->setValue(element.attribute("nameSize", "14").toInt());
        m_title->setText(element.firstChildElement("Title").text());
    }

    QDomElement writeDom(QDomDocument& document) override
    {
        QDomElement element = document.createElement(domTagName());
        element.setAttribute("instrument", m_instrument->currentText());
        element.setAttribute("nameSize", m_nameSize->value());
        QDomElement title = document.createElement("Title");
        title.appendChild(document.createTextNode(m_title->text()));
        element.appendChild(title);
        return element;
    }

    QString domTagName() const override
    {
        return QStringLiteral("Display");
    }

    void slotApply() override
    {
        App::theApp()->setSettingsValue("Gallery/Instrument", m_instrument->currentText());
        App::theApp()->setSettingsValue("Gallery/NameSize", m_nameSize->value());
        App::theApp()->setSettingsValue("Gallery/Title", m_title->text());
    }

private:
    QComboBox* m_instrument = new QComboBox;
    QSpinBox* m_nameSize = new QSpinBox;
    QLineEdit* m_title = new QLineEdit;
};

GalleryPages::Entry entry("settings", [] {
    DORuverud::SettingsDialog::addWidget(QObject::tr("Sound"), new SoundPage);
    DORuverud::SettingsDialog::addWidget(QObject::tr("Display"), new DisplayPage);
    auto* dialog = new DORuverud::SettingsDialog;
    dialog->setStyleSheet(
        QStringLiteral("#StorageBrowserSS { qproperty-icon: url(%1/filesave.png); }"
                       "#StorageBrowserLS { qproperty-icon: url(%1/fileopen.png); }"
                       "#StorageBrowserSS, #StorageBrowserLS { qproperty-iconSize: 24px 24px; }")
            .arg(TextEditIcons::folder()));
    dialog->resize(460, 300);
    return dialog;
});

} // namespace

#include "SettingsGallery.moc"
