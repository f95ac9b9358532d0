#include "App.h"
#include "DialogTestTools.h"
#include "SettingsDialog.h"
#include "SettingsWidget.h"

#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCodec>

using namespace DialogTestTools;
using namespace DORuverud;

namespace {

QStringList applied;

// A page with one text value, written as <Tag><Value>text</Value></Tag>.
class ValuePage : public SettingsWidget
{
public:
    ValuePage(const QString& tag, const QString& value)
        : m_tag(tag)
        , value(value)
    {
    }

    void readDom(const QDomNode& node) override
    {
        value = node.firstChildElement("Value").text();
    }

    QDomElement writeDom(QDomDocument& document) override
    {
        QDomElement element = document.createElement(m_tag);
        QDomElement text = document.createElement("Value");
        text.appendChild(document.createTextNode(value));
        element.appendChild(text);
        return element;
    }

    QString domTagName() const override
    {
        return m_tag;
    }

    void slotApply() override
    {
        applied << m_tag + ":" + value;
    }

private:
    QString m_tag;

public:
    QString value;
};

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList tabTitles(SettingsDialog& dialog)
{
    auto* tabs = dialog.findChild<QTabWidget*>();
    QStringList titles;
    for (int i = 0; tabs && i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

// Saves through the dialog's save button under the typed name.
void save(SettingsDialog& dialog, const QString& typed, bool accept = true)
{
    whenModal(fileDialogAnswer(typed, accept));
    QTest::mouseClick(dialog.findChild<QPushButton*>("StorageBrowserSS"), Qt::LeftButton);
}

void load(SettingsDialog& dialog, const QString& path)
{
    whenModal(fileDialogAnswer(path, true));
    QTest::mouseClick(dialog.findChild<QPushButton*>("StorageBrowserLS"), Qt::LeftButton);
}

} // namespace

// The page registry lives as long as the process: each test builds on the
// pages the tests before it registered.
class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void withoutSettingsPagesTheExportIsAnEmptyRoot()
    {
        QTemporaryDir folder;
        SettingsDialog::addWidget("Plain", new QWidget);
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Tessivar Settings"));
        save(dialog, folder.filePath("empty"));
        QCOMPARE(fileContent(folder.filePath("empty.tqsettings")), QByteArray("<Settings/>\n"));
    }

    void tabsByRegistrationElementsByTitle()
    {
        // GIVEN page B registered before page A
        SettingsDialog::addWidget("B", new ValuePage("Beta", "b"));
        SettingsDialog::addWidget("A", new ValuePage("Alpha", "a"));
        QTemporaryDir folder;
        SettingsDialog dialog;
        dialog.show();
        // THEN the tabs read B, A, while the export and Apply take A first
        QCOMPARE(tabTitles(dialog), QStringList({"Plain", "B", "A"}));
        save(dialog, folder.filePath("two"));
        QCOMPARE(fileContent(folder.filePath("two.tqsettings")),
            QByteArray("<Settings>\n <Alpha>\n  <Value>a</Value>\n </Alpha>\n"
                       " <Beta>\n  <Value>b</Value>\n </Beta>\n</Settings>\n"));
        applied.clear();
        click(&dialog, "&Apply");
        QCOMPARE(applied, QStringList({"Alpha:a", "Beta:b"}));
        QVERIFY(dialog.isVisible());
    }

    void okAppliesCancelDoesNot_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("appliedPages");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << "&Ok" << QStringList {"Alpha:a", "Beta:b"} << int(QDialog::Accepted);
        QTest::newRow("cancel") << "&Cancel" << QStringList() << int(QDialog::Rejected);
    }

    void okAppliesCancelDoesNot()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, appliedPages);
        QFETCH(int, result);
        applied.clear();
        SettingsDialog dialog;
        whenModal([button](QWidget* modal) {
            QTRY_VERIFY(buttonCaptioned(modal, button)); // shown just after the dialog
            click(modal, button);
        });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(applied, appliedPages);
    }

    void saveNameGetsTheExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare name") << "mine"
                                   << "mine.tqsettings";
        QTest::newRow("extension in capitals") << "mine.TQSETTINGS"
                                               << "mine.TQSETTINGS.tqsettings";
        QTest::newRow("extension kept") << "mine.tqsettings"
                                        << "mine.tqsettings";
    }

    void saveNameGetsTheExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir folder;
        SettingsDialog dialog;
        dialog.show();
        save(dialog, folder.filePath(typed), false);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
        save(dialog, folder.filePath(typed));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList {written});
        QCOMPARE(App::theApp()->saveDirPath(), folder.path());
    }

    void loadHandsEachElementToEveryPageOfItsTag()
    {
        // GIVEN a second page with the tag Alpha
        auto* twin = new ValuePage("Alpha", "twin");
        SettingsDialog::addWidget("C", twin);
        auto* alpha = static_cast<ValuePage*>(findPage("A"));
        auto* beta = static_cast<ValuePage*>(findPage("B"));
        QTemporaryDir folder;
        const QString path = folder.filePath("in.tqsettings");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<Other>text<!-- note --><Unknown><Value>u</Value></Unknown>"
                   "<Alpha><Value>one</Value></Alpha><Beta><Value>two</Value></Beta></Other>");
        file.close();
        SettingsDialog dialog;
        dialog.show();
        applied.clear();
        // WHEN loaded, THEN both Alpha pages take the element and nothing is applied
        load(dialog, path);
        QCOMPARE(QStringList({alpha->value, twin->value, beta->value}),
            QStringList({"one", "one", "two"}));
        QCOMPARE(applied, QStringList());
        QCOMPARE(App::theApp()->openDirPath(), folder.path());
        // AND both write their element on save
        save(dialog, folder.filePath("out"));
        QCOMPARE(fileContent(folder.filePath("out.tqsettings")).count("<Alpha>"), 2);
        // WHEN a file does not parse, THEN no page changes
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<Settings><Alpha><Value>broken</Value></Settings>");
        file.close();
        load(dialog, path);
        QCOMPARE(alpha->value, QString("one"));
    }

    void exportReadsBackInAnyLocale_data()
    {
        QTest::addColumn<QByteArray>("localeCodec");
        QTest::newRow("UTF-8 locale") << QByteArray("UTF-8");
        QTest::newRow("Latin-1 locale") << QByteArray("ISO-8859-1");
    }

    void exportReadsBackInAnyLocale()
    {
        QFETCH(QByteArray, localeCodec);
        QTextCodec* before = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(localeCodec));
        auto* beta = static_cast<ValuePage*>(findPage("B"));
        const QString value = QString::fromUtf8("Gr\u00fc\u00dfe \u2013 \u97f3");
        beta->value = value;
        QTemporaryDir folder;
        SettingsDialog dialog;
        dialog.show();
        save(dialog, folder.filePath("intl"));
        beta->value.clear();
        load(dialog, folder.filePath("intl.tqsettings"));
        QTextCodec::setCodecForLocale(before);
        QVERIFY(fileContent(folder.filePath("intl.tqsettings")).startsWith("<Settings>\n"));
        QVERIFY(fileContent(folder.filePath("intl.tqsettings")).contains(value.toUtf8()));
        QCOMPARE(beta->value, value);
    }

    void aTitleRegisteredAgainShowsTheNewerPageOnce()
    {
        auto* newer = new ValuePage("Beta", "newer");
        QWidget* older = findPage("B");
        SettingsDialog::addWidget("B", newer);
        delete older; // replaced, so its caller deletes it
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(tabTitles(dialog), QStringList({"Plain", "B", "A", "C"}));
        QCOMPARE(dialog.findChild<QTabWidget*>()->widget(1), newer);
        QCoreApplication::processEvents(); // the buttons show just after the dialog
        applied.clear();
        click(&dialog, "&Apply");
        QVERIFY(applied.contains("Beta:newer") && !applied.contains("Beta:two"));
    }

    void pagesOutliveTheDialogThatShowedThem()
    {
        QPointer<QWidget> page = findPage("A");
        {
            SettingsDialog first;
            first.show();
            QCOMPARE(page->window(), &first);
        }
        QVERIFY(page);
        SettingsDialog second;
        second.show();
        QCOMPARE(page->window(), &second);
        QCOMPARE(tabTitles(second).size(), 4);
    }

private:
    // A registered page, found through a dialog's tabs.
    static QWidget* findPage(const QString& title)
    {
        SettingsDialog dialog;
        dialog.show();
        auto* tabs = dialog.findChild<QTabWidget*>();
        return tabs->widget(tabTitles(dialog).indexOf(title));
    }
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestSettingsDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_SettingsDialog.moc"
