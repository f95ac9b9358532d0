#include "FileDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using DORuverud::FileDialog;

// Drives the dialogs from a timer: types names into the dialog that shows
// up and accepts it, or cancels it.
class TestFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char* name : {"a.txt", "b.txt"}) {
            QFile file(m_dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    void returnsTheChosenFiles_data()
    {
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("chosen");
        for (const bool withParent : {true, false}) {
            const QByteArray on = withParent ? " on a parent" : " without parent";
            QTest::newRow("open one" + on) << withParent << "open"
                                           << "b.txt" << true << QStringList {"b.txt"};
            QTest::newRow("open cancelled" + on) << withParent << "open"
                                                 << "b.txt" << false << QStringList();
            QTest::newRow("open several in order" + on)
                << withParent << "several"
                << "\"b.txt\" \"a.txt\"" << true << QStringList {"b.txt", "a.txt"};
            QTest::newRow("open several cancelled" + on) << withParent << "several"
                                                         << "\"a.txt\"" << false << QStringList();
            QTest::newRow("save new name" + on) << withParent << "save"
                                                << "new.txt" << true << QStringList {"new.txt"};
            QTest::newRow("save cancelled" + on) << withParent << "save"
                                                 << "new.txt" << false << QStringList();
        }
    }

    void returnsTheChosenFiles()
    {
        QFETCH(bool, withParent);
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QStringList, chosen);
        QWidget window;
        window.show();
        QWidget* parent = withParent ? &window : nullptr;
        answerNextDialog(typed, accepted);

        const QString caption = QStringLiteral("Choose a chart \u00e9");
        const QString filter = QStringLiteral("Charts (*.txt)");
        const auto options = QFileDialog::DontUseNativeDialog;
        QStringList result;
        if (kind == QLatin1String("open"))
            result = nonEmpty(FileDialog::getOpenFileName(
                parent, caption, m_dir.path(), filter, nullptr, options));
        else if (kind == QLatin1String("save"))
            result = nonEmpty(FileDialog::getSaveFileName(
                parent, caption, m_dir.path(), filter, nullptr, options));
        else
            result = FileDialog::getOpenFileNames(
                parent, caption, m_dir.path(), filter, nullptr, options);

        QVERIFY(m_answered);
        QStringList expected;
        for (const QString& name : chosen)
            expected += m_dir.filePath(name);
        QCOMPARE(result, expected);
        QCOMPARE(m_caption, caption);
        QCOMPARE(m_parent, parent);
        QCOMPARE(m_modality, withParent ? Qt::WindowModal : Qt::ApplicationModal);
    }

private:
    static QStringList nonEmpty(const QString& file)
    {
        return file.isEmpty() ? QStringList() : QStringList {file};
    }

    void answerNextDialog(const QString& typed, bool accepted)
    {
        m_answered = false;
        auto* timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [this, timer, typed, accepted] {
            QFileDialog* dialog = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->isVisible() && qobject_cast<QFileDialog*>(widget))
                    dialog = qobject_cast<QFileDialog*>(widget);
            if (!dialog)
                return;
            timer->deleteLater();
            timer->stop();
            m_answered = true;
            m_caption = dialog->windowTitle();
            m_parent = dialog->parentWidget();
            m_modality = dialog->windowModality();
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            if (accepted)
                static_cast<QDialog*>(dialog)->accept();
            else
                dialog->reject();
        });
        timer->start();
    }

    QTemporaryDir m_dir;
    bool m_answered = false;
    QString m_caption;
    QWidget* m_parent = nullptr;
    Qt::WindowModality m_modality = Qt::NonModal;
};

QTEST_MAIN(TestFileDialog)
#include "test_FileDialog.moc"
