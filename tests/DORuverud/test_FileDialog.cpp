#include "DialogTestTools.h"
#include "FileDialog.h"

#include <QTemporaryDir>

using namespace DialogTestTools;
using DORuverud::FileDialog;

// Drives the dialogs from a timer: types names into the dialog that shows
// up and accepts it, or cancels it.
class TestFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* name : {"a.txt", "b.txt"}) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    void returnsTheChosenFiles_data()
    {
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("names");
        for (const bool withParent : {true, false}) {
            const QByteArray on = withParent ? " on a parent" : " without parent";
            QTest::newRow("open one" + on) << withParent << "open" << true << QStringList {"b.txt"};
            QTest::newRow("open cancelled" + on)
                << withParent << "open" << false << QStringList {"b.txt"};
            QTest::newRow("open several in order" + on)
                << withParent << "several" << true << QStringList {"b.txt", "a.txt"};
            QTest::newRow("save new name" + on)
                << withParent << "save" << true << QStringList {"new.txt"};
            QTest::newRow("save cancelled" + on)
                << withParent << "save" << false << QStringList {"new.txt"};
        }
    }

    void returnsTheChosenFiles()
    {
        QFETCH(bool, withParent);
        QFETCH(QString, kind);
        QFETCH(bool, accepted);
        QFETCH(QStringList, names);
        QWidget window;
        window.show();
        QWidget* parent = withParent ? &window : nullptr;
        QString caption;
        QWidget* dialogParent = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        const QString typed = names.size() > 1 ? '"' + names.join("\" \"") + '"' : names.first();
        ModalAnswer answer([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            dialogParent = dialog->parentWidget();
            modality = dialog->windowModality();
            fileDialogAnswer(typed, accepted)(dialog);
        });

        const QString title = "Choose a chart \u00e9";
        const QString filter = "Charts (*.txt)";
        const auto options = QFileDialog::DontUseNativeDialog;
        QStringList result;
        if (kind == "open")
            result << FileDialog::getOpenFileName(
                parent, title, m_dir.path(), filter, nullptr, options);
        else if (kind == "save")
            result << FileDialog::getSaveFileName(
                parent, title, m_dir.path(), filter, nullptr, options);
        else
            result = FileDialog::getOpenFileNames(
                parent, title, m_dir.path(), filter, nullptr, options);
        result.removeAll(QString());

        QCOMPARE(answer.shown, QString("QFileDialog"));
        QStringList expected;
        for (const QString& name : names)
            expected += accepted ? m_dir.filePath(name) : QString();
        expected.removeAll(QString());
        QCOMPARE(result, expected);
        QCOMPARE(caption, title);
        QCOMPARE(dialogParent, parent);
        QCOMPARE(modality, withParent ? Qt::WindowModal : Qt::ApplicationModal);
    }

    void parentClosedWhileOpenGivesNothing()
    {
        auto* window = new QWidget;
        window->show();
        ModalAnswer answer([window](QWidget*) { delete window; });

        const QString chosen = FileDialog::getOpenFileName(window, "Choose a chart", m_dir.path(),
            QString(), nullptr, QFileDialog::DontUseNativeDialog);

        QCOMPARE(answer.shown, QString("QFileDialog"));
        QCOMPARE(chosen, QString());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestFileDialog)
#include "test_FileDialog.moc"
