#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/RunawayWatch.h"
#include "../common/TestFolder.h"
#include "App.h"
#include "DialogTestTools.h"
#include "SettingsDialog.h"
#include "SettingsDialogReader.h"
#include "SettingsDialogWriter.h"
#include "SettingsWidget.h"

#include <QFileInfo>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCodec>
#include <memory>
#include <vector>

using namespace DialogTestTools;
using namespace DORuverud;
using namespace HostileHtml;

namespace {

QStringList applied;

// A page of one value, written as <Tag>value</Tag>.
class ValuePage : public SettingsWidget
{
public:
    ValuePage(const QString& tag, const QString& value)
        : tag(tag)
        , value(value)
    {
    }
    void readDom(const QDomNode& node) override
    {
        value = node.toElement().text();
    }
    QDomElement writeDom(QDomDocument& document) override
    {
        QDomElement element = document.createElement(tag);
        element.appendChild(document.createTextNode(value));
        return element;
    }
    QString domTagName() const override
    {
        return tag;
    }
    void slotApply() override
    {
        applied << tag + ":" + value;
    }

    QString tag;
    QString value;
};

// A page that keeps the attributes of its element as it was given them.
class AttributesPage : public SettingsWidget
{
public:
    void readDom(const QDomNode& node) override
    {
        const QDomNamedNodeMap given = node.attributes();
        attributes.clear();
        for (int i = 0; i < given.count(); ++i)
            attributes << qMakePair(given.item(i).nodeName(), given.item(i).nodeValue());
    }
    QDomElement writeDom(QDomDocument& document) override
    {
        QDomElement element = document.createElement(domTagName());
        for (const auto& attribute : qAsConst(attributes))
            element.setAttribute(attribute.first, attribute.second);
        return element;
    }
    QString domTagName() const override
    {
        return "Options";
    }

    QVector<QPair<QString, QString>> attributes;
};

// A page whose title is the text or a CDATA section of <Title>, with a caption
// attribute and a note as a comment: <Display><Title caption="">title</Title></Display>.
class DisplayPage : public SettingsWidget
{
public:
    void readDom(const QDomNode& node) override
    {
        const QDomElement element = node.firstChildElement("Title");
        title = element.text();
        caption = element.attribute("caption");
        nodes = node.childNodes().count();
    }
    QDomElement writeDom(QDomDocument& document) override
    {
        QDomElement element = document.createElement("Title");
        element.setAttribute("caption", caption);
        if (!note.isEmpty())
            element.appendChild(document.createComment(note));
        element.appendChild(
            cdata ? document.createCDATASection(title) : document.createTextNode(title));
        QDomElement display = document.createElement(tag);
        display.appendChild(element);
        return display;
    }
    QString domTagName() const override
    {
        return tag;
    }

    QString tag = "Display";
    QString title;
    QString caption;
    QString note;
    bool cdata = false;
    // Child nodes of the element last read.
    int nodes = 0;
};

// Registers a plain widget under each title while it lives, and the pages
// again at its end, so that meanwhile no registered page has settings.
class PlainPagesInstead
{
public:
    explicit PlainPagesInstead(const QMap<QString, QWidget*>& pages)
        : m_pages(pages)
    {
        for (const QString& title : pages.keys()) {
            m_plain.push_back(std::make_unique<QWidget>());
            SettingsDialog::addWidget(title, m_plain.back().get());
        }
    }
    ~PlainPagesInstead()
    {
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page)
            SettingsDialog::addWidget(page.key(), page.value());
    }

private:
    QMap<QString, QWidget*> m_pages;
    std::vector<std::unique_ptr<QWidget>> m_plain;
};

// A start tag of count attributes, each of its own name.
QByteArray tagOfAttributes(int count)
{
    QByteArray tag = "<a";
    for (int i = 0; i < count; ++i)
        tag += " a" + QByteArray::number(i) + "=\"\"";
    return tag + "/>";
}

// The text as UTF-16 after a byte-order mark, half surrogate pairs and all.
QByteArray utf16(const QString& text)
{
    return "\xff\xfe" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QStringList tabTitles(SettingsDialog& dialog)
{
    auto* tabs = dialog.findChild<QTabWidget*>();
    QStringList titles;
    for (int i = 0; tabs && i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

// Clicks the save ("SS") or load ("LS") button and answers the file dialog.
void storage(SettingsDialog& dialog, const char* button, const QString& path)
{
    whenModal(fileDialogAnswer(path, true));
    QTest::mouseClick(
        dialog.findChild<QPushButton*>(QString("StorageBrowser") + button), Qt::LeftButton);
}

// Loads the file through the load button; the text of the message box that
// followed the file dialog, or an empty text when none came.
QString loadAnswered(SettingsDialog& dialog, const QString& path)
{
    return messageAfterFileDialog(path, [&dialog] {
        QTest::mouseClick(dialog.findChild<QPushButton*>("StorageBrowserLS"), Qt::LeftButton);
    });
}

// Saves through the save button; the text of the message box that followed
// the file dialog, or an empty text when none came.
QString saveAnswered(SettingsDialog& dialog, const QString& path)
{
    return messageAfterFileDialog(path, [&dialog] {
        QTest::mouseClick(dialog.findChild<QPushButton*>("StorageBrowserSS"), Qt::LeftButton);
    });
}

// The tabs of every dialog: pages in the order initTestCase registered them.
const QStringList allTabs {"Plain", "B", "A", "C", "O", "Display"};

} // namespace

// The page registry lives as long as the process and is never emptied, so
// every page is registered once, before the first test, and each test starts
// from the same pages and values whichever tests ran before it.
class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // B before A, so that the tab order and the title order differ
        SettingsDialog::addWidget("Plain", m_plain = new QWidget);
        SettingsDialog::addWidget("B", m_beta = new ValuePage("Beta", "b"));
        SettingsDialog::addWidget("A", m_alpha = new ValuePage("Alpha", "a"));
        SettingsDialog::addWidget("C", m_twin = new ValuePage("Alpha", "a"));
        SettingsDialog::addWidget("O", m_options = new AttributesPage);
        SettingsDialog::addWidget("Display", m_display = new DisplayPage);
    }

    // The pages are the caller's, as each dialog gives them back when it goes;
    // no dialog opens after this.
    void cleanupTestCase()
    {
        delete m_plain;
        qDeleteAll(settingsPages());
    }

    void init()
    {
        m_alpha->value = "a";
        m_beta->value = "b";
        m_twin->value = "a";
        m_options->attributes.clear();
        display();
        applied.clear();
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

    // While no page has settings, the file holds an empty root.
    void saveNameGetsTheExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        PlainPagesInstead plain(settingsPages());
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        storage(dialog, "SS", folder.path(typed));
        QCOMPARE(folder.files(), QStringList {written});
        QCOMPARE(folder.read(written), QByteArray("<Settings/>\n"));
        QCOMPARE(App::theApp()->saveDirPath(), folder.path());
    }

    void tabsByRegistrationElementsByTitle()
    {
        // GIVEN page B registered before page A, and C of A's tag after them
        m_twin->value = "twin"; // tells C's element and Apply from A's
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        // THEN the tabs read B, A, C, while the export and Apply take A first
        QCOMPARE(tabTitles(dialog), allTabs);
        storage(dialog, "SS", folder.path("all"));
        QCOMPARE(folder.read("all.tqsettings"),
            QByteArray("<Settings>\n <Alpha>a</Alpha>\n <Beta>b</Beta>\n <Alpha>twin</Alpha>\n"
                       " <Display>\n  <Title caption=\"\"/>\n </Display>\n <Options/>\n"
                       "</Settings>\n"));
        click(&dialog, "&Apply");
        QCOMPARE(applied, QStringList({"Alpha:a", "Beta:b", "Alpha:twin"}));
        QVERIFY(dialog.isVisible());
    }

    void okAppliesCancelDoesNot_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("appliedPages");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << "&Ok" << QStringList {"Alpha:a", "Beta:b", "Alpha:a"}
                            << int(QDialog::Accepted);
        QTest::newRow("cancel") << "&Cancel" << QStringList() << int(QDialog::Rejected);
    }

    void okAppliesCancelDoesNot()
    {
        QFETCH(QString, button);
        SettingsDialog dialog;
        whenModal([button](QWidget* modal) {
            QTRY_VERIFY(buttonCaptioned(modal, button)); // shown just after the dialog
            click(modal, button);
        });
        QTEST(dialog.exec(), "result");
        QTEST(applied, "appliedPages");
    }

    void loadHandsEachElementToEveryPageOfItsTag()
    {
        // GIVEN two pages of the tag Alpha, and a file of three elements and other nodes
        TestFolder folder;
        folder.write("in.tqsettings",
            "<Settings>text<!-- note --><Unknown>u</Unknown>"
            "<Alpha>one</Alpha><Beta>two</Beta></Settings>");
        SettingsDialog dialog;
        dialog.show();
        // WHEN loaded, THEN both Alpha pages take the element and nothing is applied
        storage(dialog, "LS", folder.path("in.tqsettings"));
        QCOMPARE(QStringList({m_alpha->value, m_twin->value, m_beta->value}),
            QStringList({"one", "one", "two"}));
        QCOMPARE(applied, QStringList());
        QCOMPARE(App::theApp()->openDirPath(), folder.path());
        // AND both write their element on save
        storage(dialog, "SS", folder.path("out"));
        QCOMPARE(folder.read("out.tqsettings").count("<Alpha>"), 2);
    }

    void refusedFilesChangeNoPage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QByteArray alpha = "<Settings><Alpha>changed</Alpha>";
        QTest::newRow("not well-formed") << alpha + "<Beta>broken</Settings>"
                                         << "not well-formed XML: ";
        QTest::newRow("30,000 nested elements")
            << alpha + repeated("<a>", 30000) + repeated("</a>", 30000) + "</Settings>"
            << "nest more than 64 deep.";
        QTest::newRow("200,000 elements") << alpha + repeated("<a/>", 200000) + "</Settings>"
                                          << "more than 100000 elements";
        QTest::newRow("document type") << QByteArray(
            "<!DOCTYPE Settings [<!ENTITY e \"changed\">]><Settings><Alpha>&e;</Alpha>"
            "</Settings>") << "declares a document type";
        QTest::newRow("empty") << QByteArray() << "not well-formed XML: ";
        QTest::newRow("root of another name") << QByteArray("<Other><Alpha>changed</Alpha></Other>")
                                              << "root element is <Other>, not <Settings>";
        QTest::newRow("1,000,000 attributes on one element")
            << alpha + tagOfAttributes(1000000) + "</Settings>"
            << "An element holds more than 1000 attributes.";
        QTest::newRow("120,000 attributes in all")
            << alpha + repeated(tagOfAttributes(600), 200) + "</Settings>"
            << "more than 100000 attributes";
        QTest::newRow("half of a surrogate pair in UTF-16")
            << utf16(QString("<Settings><Alpha>changed") + QChar(0xd800) + "</Alpha></Settings>")
            << "half of a surrogate pair";
        QTest::newRow("half of a surrogate pair in an attribute") << utf16(
            QString("<Settings><Alpha>changed</Alpha><a b=\"") + QChar(0xdc00) + "\"/></Settings>")
                                                                  << "half of a surrogate pair";
        QTest::newRow("200,000 comments")
            << alpha + repeated("<!---->", 200000) + "</Settings>"
            << "more than 100000 comments and processing instructions";
        QTest::newRow("U+0001 in an attribute name") << alpha + "<a b\x01=\"1\"/></Settings>"
                                                     << "It holds U+0001, which XML cannot hold";
        QTest::newRow("U+FFFE in an attribute name")
            << alpha + "<a b\xef\xbf\xbe=\"1\"/></Settings>"
            << "It holds U+FFFE, which XML cannot hold";
        QTest::newRow("half of a surrogate pair by reference")
            << QByteArray("<Settings><Alpha>changed&#xD800;</Alpha></Settings>")
            << "not well-formed XML: ";
    }

    void refusedFilesChangeNoPage()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        m_alpha->value = "kept";
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        const QString path = folder.write("in.tqsettings", content);
        // The reader refuses at once; the file dialog's own time is not its work.
        QString error;
        {
            RunawayWatch watch("reading the settings", runawayBoundMs(250));
            SettingsDialogReader::read(content, &error);
            QVERIFY2(watch.withinBound(), qPrintable(QString::number(watch.elapsedMs())));
        }
        const QString message = loadAnswered(dialog, path);
        QVERIFY(message.startsWith("in.tqsettings was not loaded."));
        QVERIFY2(message.section('\n', 1).contains(reason), qPrintable(message));
        QCOMPARE(m_alpha->value, QString("kept"));
        QCOMPARE(applied, QStringList());
        QCOMPARE(App::theApp()->openDirPath(), folder.path());
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
        const QString value = QString::fromUtf8("Gr\u00fc\u00dfe \u2013 \u97f3");
        m_beta->value = value;
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        storage(dialog, "SS", folder.path("intl"));
        m_beta->value.clear();
        storage(dialog, "LS", folder.path("intl.tqsettings"));
        QTextCodec::setCodecForLocale(before);
        QVERIFY(folder.read("intl.tqsettings").startsWith("<Settings>\n"));
        QVERIFY(folder.read("intl.tqsettings").contains(value.toUtf8()));
        QCOMPARE(m_beta->value, value);
    }

    void exportedValuesReadBackEqual_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("markup characters") << "<a & \"b\" 'c'>";
        QTest::newRow("white space around") << "  two spaces  ";
        QTest::newRow("tab and line break") << "a\tb\nc";
    }

    void exportedValuesReadBackEqual()
    {
        QFETCH(QString, value);
        m_beta->value = value;
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        storage(dialog, "SS", folder.path("values"));
        m_beta->value.clear();
        QCOMPARE(loadAnswered(dialog, folder.path("values.tqsettings")), QString());
        QCOMPARE(m_beta->value, value);
    }

    void failedExportSaysSo()
    {
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        // WHEN exported into a missing folder, THEN it says so
        const QString message = saveAnswered(dialog, folder.path("missing/out"));
        QVERIFY2(message.startsWith("out.tqsettings was not saved."), qPrintable(message));
    }

    void exportAsksBeforeReplacingUnderAnAddedExtension()
    {
        TestFolder folder;
        folder.write("out.tqsettings", "kept");
        SettingsDialog dialog;
        dialog.show();
        const QString question = messageAfterFileDialog(folder.path("out"), [&dialog] {
            QTest::mouseClick(dialog.findChild<QPushButton*>("StorageBrowserSS"), Qt::LeftButton);
        });
        QVERIFY2(question.startsWith("out.tqsettings already exists."), qPrintable(question));
        QCOMPARE(folder.read("out.tqsettings"), QByteArray("kept"));
    }

    void pipeIsRefusedWithoutWaiting()
    {
        TestFolder folder;
        const QString path = folder.path("pipe.tqsettings");
        QCOMPARE(QProcess::execute("mkfifo", {path}), 0);
        SettingsDialog dialog;
        dialog.show();
        QVERIFY(loadAnswered(dialog, path).contains("not a regular file"));
    }

    void aTitleRegisteredAgainShowsTheNewerPageOnce()
    {
        auto* newer = new ValuePage("Beta", "newer");
        SettingsDialog::addWidget("B", newer);
        delete m_beta; // replaced, so its caller deletes it
        m_beta = newer;
        SettingsDialog dialog;
        dialog.show();
        QCOMPARE(tabTitles(dialog), allTabs);
        QCOMPARE(dialog.findChild<QTabWidget*>()->widget(1), newer);
        QCoreApplication::processEvents(); // the buttons show just after the dialog
        click(&dialog, "&Apply");
        QCOMPARE(applied, QStringList({"Alpha:a", "Beta:newer", "Alpha:a"}));
    }

    void pagesOutliveTheDialogThatShowedThem()
    {
        QPointer<QWidget> alpha = m_alpha;
        {
            SettingsDialog first;
            first.show();
        }
        QVERIFY(alpha);
        SettingsDialog second;
        second.show();
        QCOMPARE(alpha->window(), &second);
    }

    void exportWithManyAttributesReadsBackToTheSameBytes()
    {
        // GIVEN a page of 300 attributes that keeps them in the order it is given them
        for (int i = 0; i < 300; ++i)
            m_options->attributes << qMakePair("o" + QString::number(i), QString::number(i * 7));
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        // WHEN exported, loaded and exported again
        storage(dialog, "SS", folder.path("first"));
        QCOMPARE(loadAnswered(dialog, folder.path("first.tqsettings")), QString());
        QCOMPARE(m_options->attributes.size(), 300);
        storage(dialog, "SS", folder.path("second"));
        // THEN both exports are the same bytes
        QCOMPARE(folder.read("second.tqsettings"), folder.read("first.tqsettings"));
    }

    void declaredEncodingExportsAsUtf8_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QString settings
            = QString::fromUtf8("<Settings>\r\n <Beta>caf\u00e9</Beta>\r\n</Settings>");
        QTest::newRow("declared Latin-1")
            << QByteArray("<?xml version=\"1.0\" "
                          "encoding=\"ISO-8859-1\"?>\n<Settings><Beta>caf\xe9</Beta></Settings>");
        QTest::newRow("declared UTF-16, CR LF")
            << utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + settings);
        QTest::newRow("declared UTF-8 after a byte-order mark")
            << "\xef\xbb\xbf<?xml version='1.0' encoding='UTF-8'?>" + settings.toUtf8();
    }

    // What an import holds, an export writes in UTF-8 without the import's declaration.
    void declaredEncodingExportsAsUtf8()
    {
        QFETCH(QByteArray, file);
        const QString cafe = QString::fromUtf8("caf\u00e9");
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        // WHEN a file that declares its encoding is imported, exported and imported again
        QCOMPARE(loadAnswered(dialog, folder.write("in.tqsettings", file)), QString());
        QCOMPARE(m_beta->value, cafe);
        storage(dialog, "SS", folder.path("out"));
        m_beta->value.clear();
        QCOMPARE(loadAnswered(dialog, folder.path("out.tqsettings")), QString());
        // THEN the settings are the same, in UTF-8 without a declaration
        QCOMPARE(m_beta->value, cafe);
        const QByteArray exported = folder.read("out.tqsettings");
        QVERIFY2(exported.startsWith("<Settings>\n") && exported.contains(cafe.toUtf8()),
            exported.constData());
        // AND the imported document itself exports so, and reads back as the same
        QString error;
        const QDomDocument imported = SettingsDialogReader::read(file, &error);
        const QByteArray written = SettingsDialogWriter::write(imported, {}, &error);
        QCOMPARE(error, QString());
        QVERIFY2(written.startsWith("<Settings>\n"), written.constData());
        const QDomDocument again = SettingsDialogReader::read(written, &error);
        QCOMPARE(error, QString());
        QCOMPARE(again.documentElement().firstChildElement("Beta").text(), cafe);
        QCOMPARE(SettingsDialogWriter::write(again, {}, &error), written);
    }

    // An imported file keeps the namespace declarations its prefixes need.
    void namespacedImportExportsAgain()
    {
        const QByteArray file = "<Settings xmlns=\"urn:d\" xmlns:t=\"urn:t\">\n"
                                " <t:Alpha t:k=\"1\">one</t:Alpha>\n</Settings>\n";
        QString error;
        const QDomDocument imported = SettingsDialogReader::read(file, &error);
        QCOMPARE(error, QString());
        QCOMPARE(SettingsDialogWriter::write(imported, {}, &error), file);
        QCOMPARE(error, QString());
    }

    void blankValuesExportAndComeBack_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("cdata");
        const auto row
            = [](const char* name, const QString& title, const QString& caption,
                  bool cdata = false) { QTest::newRow(name) << title << caption << cdata; };
        const QString noBreak = QString(QChar(0xa0));
        row("blank title", "   ", "");
        row("tab only", "\t", "");
        row("no-break space only", noBreak, "");
        row("line feed only", "\n", "");
        row("carriage return only", "\r", "");
        row("CR LF only", "\r\n", "");
        row("all white space mixed", " \t\r\n " + noBreak + "\r", "");
        row("CDATA of blanks", "   ", "", true);
        row("CDATA of line ends", "\r\n\r", "", true);
        row("blank caption", "t", "   ");
        row("caption of tab and line ends", "t", "\t\r\n\r");
        row("no-break space caption", "", noBreak);
    }

    void blankValuesExportAndComeBack()
    {
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QFETCH(bool, cdata);
        // GIVEN a page whose values are white space alone
        DisplayPage* page = display(title, caption, cdata);
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        // WHEN exported and imported again
        QCOMPARE(saveAnswered(dialog, folder.path("blank")), QString());
        display({}, {}, cdata);
        QCOMPARE(loadAnswered(dialog, folder.path("blank.tqsettings")), QString());
        // THEN the page has them back exactly, and a second export is the same bytes
        QCOMPARE(page->title, title);
        QCOMPARE(page->caption, caption);
        QCOMPARE(saveAnswered(dialog, folder.path("again")), QString());
        QCOMPARE(folder.read("again.tqsettings"), folder.read("blank.tqsettings"));
    }

    void blankValuesImport_data()
    {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QString>("value");
        QTest::newRow("blank title") << QByteArray("<Title>   </Title>") << "   ";
        QTest::newRow("tab only") << QByteArray("<Title>\t</Title>") << "\t";
        QTest::newRow("no-break space only")
            << QByteArray("<Title>\xc2\xa0</Title>") << QString(QChar(0xa0));
        QTest::newRow("CDATA of blanks") << QByteArray("<Title><![CDATA[  ]]></Title>") << "  ";
        QTest::newRow("references of blanks") << QByteArray("<Title>&#32;&#32;</Title>") << "  ";
        QTest::newRow("references of line ends")
            << QByteArray("<Title>&#13;&#10;&#9;&#13;</Title>") << "\r\n\t\r";
        QTest::newRow("line end written as it is") << QByteArray("<Title>\r\n</Title>") << "\n";
        QTest::newRow("empty title") << QByteArray("<Title/>") << "";
    }

    // Files as exports of before wrote them: indented, one blank per level.
    void blankValuesImport()
    {
        QFETCH(QByteArray, title);
        DisplayPage* page = display("kept");
        TestFolder folder;
        SettingsDialog dialog;
        dialog.show();
        const QString path = folder.write("blank.tqsettings",
            "<Settings>\n <Display>\n  " + title + "\n </Display>\n</Settings>\n");
        QCOMPARE(loadAnswered(dialog, path), QString());
        QTEST(page->title, "value");
        // AND the indentation around <Title> is no text of <Display>
        QCOMPARE(page->nodes, 1);
    }

    void exportThatWouldNotReadBackKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("beta");
        QTest::addColumn<QString>("reason");
        const auto row = [](const QString& name, const QString& title, const QString& caption,
                             const QString& reason, const QString& note = {},
                             const QString& tag = "Display", const QString& beta = "b") {
            QTest::newRow(qPrintable(name)) << title << caption << note << tag << beta << reason;
        };
        const QString page
            = "The settings of the tab \"Display\" would not read back as they are: ";
        const QString cannotHold = " holds U+%1, which a settings file cannot hold.";
        const QVector<QPair<QString, ushort>> characters {{"U+0001", 0x1}, {"ESC", 0x1b},
            {"U+FFFE", 0xfffe}, {"U+FFFF", 0xffff}, {"half of a surrogate pair", 0xd800}};
        for (const auto& character : characters) {
            const QString value = QString("a") + QChar(character.second) + "b";
            const QString code = QString("%1").arg(character.second, 4, 16, QChar('0')).toUpper();
            row(character.first + " in the title", value, "",
                page + "the field \"Title\"" + cannotHold.arg(code));
            row(character.first + " in the caption", "", value,
                page + "the field \"caption\" of \"Title\"" + cannotHold.arg(code));
        }
        row("carriage return in a comment", "t", "", page + "the field \"Title\" would change.",
            "a\rb");
        row("tag the reader cannot read", "t", "",
            "The settings of the tab \"Display\" would not read back as they are.", "",
            "Two words");
        const QString control = QString("a") + QChar(1) + "b";
        row("page whose tag is not its tab's title", control, "",
            page + "the field \"Title\"" + cannotHold.arg("0001"), "", "Screen");
        row("U+0001 in the value of tab B", "t", "",
            "The settings of the tab \"B\" would not read back as they are: the field \"Beta\""
                + cannotHold.arg("0001"),
            "", "Display", control);
    }

    void exportThatWouldNotReadBackKeepsTheOldFile()
    {
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QFETCH(QString, note);
        QFETCH(QString, tag);
        QFETCH(QString, beta);
        QFETCH(QString, reason);
        // GIVEN a page whose values an export cannot hold, and an export of before
        DisplayPage* page = display(title, caption);
        page->note = note;
        page->tag = tag;
        m_beta->value = beta;
        TestFolder folder;
        const QByteArray before = "<Settings>\n <Display>\n  <Title caption=\"&#9;\">old</Title>\n "
                                  "</Display>\n</Settings>\n";
        folder.write("out.tqsettings", before);
        SettingsDialog dialog;
        dialog.show();
        // WHEN exported over it, replacing it as asked
        QString message;
        std::unique_ptr<ModalAnswer> replace;
        std::unique_ptr<ModalAnswer> failure;
        whenModal([&](QWidget* modal) {
            fileDialogAnswer(folder.path("out"), true)(modal);
            replace = std::make_unique<ModalAnswer>([&](QWidget* question) {
                failure = std::make_unique<ModalAnswer>([&message](QWidget* box) {
                    message = static_cast<QMessageBox*>(box)->text();
                    static_cast<QDialog*>(box)->reject();
                });
                static_cast<QMessageBox*>(question)->button(QMessageBox::Yes)->click();
            });
        });
        QTest::mouseClick(dialog.findChild<QPushButton*>("StorageBrowserSS"), Qt::LeftButton);
        // THEN it says which settings and which value, and the old file stays
        display();
        QCOMPARE(message, "out.tqsettings was not saved.\n" + reason);
        QCOMPARE(folder.read("out.tqsettings"), before);
        QCOMPARE(folder.files(), QStringList {"out.tqsettings"});
    }

private:
    // The page "Display", holding the values given.
    DisplayPage* display(const QString& title = {}, const QString& caption = {}, bool cdata = false)
    {
        m_display->tag = "Display";
        m_display->title = title;
        m_display->caption = caption;
        m_display->note.clear();
        m_display->cdata = cdata;
        return m_display;
    }

    // The registered pages that have settings, by title.
    QMap<QString, QWidget*> settingsPages() const
    {
        return {
            {"A", m_alpha}, {"B", m_beta}, {"C", m_twin}, {"O", m_options}, {"Display", m_display}};
    }

    QWidget* m_plain = nullptr;
    ValuePage* m_beta = nullptr;
    ValuePage* m_alpha = nullptr;
    // A second page of the tag Alpha. It holds what A holds, as after any load,
    // since a load gives both pages every Alpha element: only so does an
    // export read back as the same bytes.
    ValuePage* m_twin = nullptr;
    AttributesPage* m_options = nullptr;
    DisplayPage* m_display = nullptr;
};

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestSettingsDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_SettingsDialog.moc"
