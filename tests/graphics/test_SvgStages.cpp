#include "../common/RunawayBound.h"
#include "../common/StandardErrorInto.h"
#include "../common/TestFolder.h"
#include "DrawingProcesses.h"
#include "HelperInPlace.h"
#include "HostileSvg.h"
#include "PictureReader.h"
#include "SvgClientPool.h"
#include "SvgStage.h"
#include "Warnings.h"

#include <QGuiApplication>
#include <QtTest>

#include <future>

using DAvuroD::PictureReader;
using DAvuroD::SvgClientPool;
using DAvuroD::SvgStage;

namespace {

QString link(const TestFolder& folder, const QString& name, const QString& target)
{
    QDir(folder.path()).mkpath(QFileInfo(folder.path(name)).path());
    QFile::remove(folder.path(name));
    QFile::link(target, folder.path(name));
    return folder.path(name);
}

// A drawing of 40 x 8 that shows each picture named in a square of 8 of
// its own, left to right.
QByteArray showing(const QStringList& names)
{
    QByteArray body;
    for (int i = 0; i < names.size(); ++i)
        body += "<image x=\"" + QByteArray::number(8 * i)
            + "\" y=\"0\" width=\"8\" height=\"8\" xlink:href=\"" + names.at(i).toUtf8() + "\"/>";
    return HostileSvg::drawing(8 * names.size(), body, 8);
}

QColor colourOfSquare(const QImage& image, int square)
{
    return image.pixelColor(8 * square + 4, 4);
}

} // namespace

// What a drawing's helper reads and keeps: only the files the drawing names
// beside it, copied into its stage for the task and gone after it; it serves
// one scope alone, and its start and its work say nothing.
class TestSvgStages : public QObject
{
    Q_OBJECT

private slots:
    void filesNamedBesideAreCopiedForTheTask()
    {
        // GIVEN a drawing naming pictures beside it, in a folder below, in
        // the folder above, by an absolute path, and by a link out
        TestFolder outside;
        const QString green = outside.writePicture("green.png", Qt::green, 8, 8);
        QDir(m_files.path()).mkpath("drawing/below");
        m_files.writePicture("drawing/red.png", Qt::red, 8, 8);
        m_files.writePicture("drawing/below/blue.png", Qt::blue, 8, 8);
        m_files.writePicture("green.png", Qt::green, 8, 8);
        link(m_files, "drawing/out.png", green);
        const QString path = m_files.write("drawing/pictures.svg",
            showing({"red.png", "below/blue.png", "../green.png", green, "out.png"}));
        // WHEN it is drawn
        const QImage drawn = PictureReader::read(path);
        // THEN what it names within its folder shows, and nothing else
        QCOMPARE(drawn.size(), QSize(40, 8));
        QCOMPARE(colourOfSquare(drawn, 0), QColor(Qt::red));
        QCOMPARE(colourOfSquare(drawn, 1), QColor(Qt::blue));
        for (const int square : {2, 3, 4})
            QCOMPARE(colourOfSquare(drawn, square).alpha(), 0);
        // AND its helper's stage, its working folder, is empty once it
        // rests, as a spare's is once it started
        for (const DrawingProcesses::Process& helper : DrawingProcesses::children()) {
            QTRY_COMPARE_WITH_TIMEOUT(
                DrawingProcesses::process(helper.pid).state, 'T', int(waitBoundMs(2000)));
            const QString stage = QFile::symLinkTarget(QString("/proc/%1/cwd").arg(helper.pid));
            QVERIFY2(stage.endsWith("/stage"), qPrintable(stage));
            QCOMPARE(QDir(stage).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        }
    }

    void namingTooManyFilesIsRefused()
    {
        // GIVEN a drawing naming more files beside it than a helper is given
        QDir(m_files.path()).mkpath("many");
        QStringList names;
        for (int i = 0; i <= SvgStage::maxFiles; ++i)
            names << m_files.writePicture(QString("many/%1.png").arg(i), Qt::red, 8, 8)
                         .section('/', -1);
        const QString path = m_files.write("many/many.svg", showing(names));
        // WHEN it is drawn, THEN it is refused, and why
        const Warnings warnings;
        QVERIFY(PictureReader::read(path).isNull());
        QVERIFY2(warnings.all().contains("names more than 64 files"), qPrintable(warnings.all()));
    }

    void aHelperServesOneScopeAlone()
    {
        // GIVEN a helper taken over by a drawing of one folder, which paints
        // the canvas it was given without end
        const HelperInPlace helper(
            link(m_files, "painter", QCoreApplication::applicationDirPath() + "/fake-svg-helper"));
        QDir(m_files.path()).mkpath("hostile");
        QDir(m_files.path()).mkpath("other");
        const QString hostile
            = m_files.write("hostile/hostile.svg", HostileSvg::drawing(16, "<desc>hostile</desc>"));
        // Its own picture is whatever it painted by the time it was copied.
        QCOMPARE(PictureReader::readFitted(hostile, QSize(16, 16)).size(), QSize(16, 16));
        // WHEN drawings of another folder are drawn after it, from threads
        // and from this one
        const QString plain = m_files.write("other/plain.svg", HostileSvg::dashedIcon());
        std::vector<std::future<QImage>> drawings;
        for (int i = 0; i < 5; ++i)
            drawings.push_back(std::async(std::launch::async,
                [plain] { return PictureReader::readFitted(plain, QSize(16, 16)); }));
        drawings.push_back(std::async(std::launch::deferred,
            [plain] { return PictureReader::readFitted(plain, QSize(16, 16)); }));
        // THEN none is painted by it
        for (std::future<QImage>& drawing : drawings) {
            const QImage image = drawing.get();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    QCOMPARE(image.pixelColor(x, y), QColor(Qt::green));
        }
    }

    void helpersSayNothingOfTheirWork()
    {
        // GIVEN this program's standard error a file, and the helper under
        // another path, whose template has yet to start
        const StandardErrorInto log(m_files.path("errors.log"));
        QDir(m_files.path()).mkpath("quiet");
        const HelperInPlace helper(
            link(m_files, QString("quiet/") + SvgClientPool::helperName, m_before));
        // WHEN it starts and draws, from this thread and another
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        QCOMPARE(PictureReader::read(icon).size(), QSize(16, 16));
        QCOMPARE(std::async(std::launch::async, [icon] { return PictureReader::read(icon); })
                     .get()
                     .size(),
            QSize(16, 16));
        // THEN this program's standard error holds nothing
        QCOMPARE(log.written(), QByteArray());
    }

private:
    TestFolder m_files;
    const QString m_before = SvgClientPool::instance().helper();
};

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    TestSvgStages test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_SvgStages.moc"
