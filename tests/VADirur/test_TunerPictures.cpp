#include "App.h"
#include "InstrumentArt.h"
#include "TuneButton.h"
#include "TunerPageFactory.h"

#include <QPainter>
#include <QtTest>

using namespace VADirur;

namespace {

int shownButtons(const TunerBasePage& page)
{
    int shown = 0;
    for (int i = 0; page.button(i); ++i)
        shown += page.button(i)->isVisibleTo(&page) ? 1 : 0;
    return shown;
}

} // namespace

// The instruments' pictures are strung as a musician knows them, and as
// their tuner pages are.
class TestTunerPictures : public QObject
{
    Q_OBJECT

private slots:
    void picturesAreStrungAsTheirPages_data()
    {
        QTest::addColumn<int>("instrument");
        QTest::addColumn<Page>("page");
        QTest::addColumn<int>("stringsPerNote");
        QTest::addColumn<int>("neckPegs");
        using T = TunerInstruments;
        QTest::newRow("violin") << int(T::Violin) << page<ViolinTuner>() << 1 << 0;
        QTest::newRow("viola") << int(T::Viola) << page<ViolaTuner>() << 1 << 0;
        QTest::newRow("cello") << int(T::Cello) << page<CelloTuner>() << 1 << 0;
        QTest::newRow("double bass") << int(T::DoubleBass) << page<DoubleBassTuner>() << 1 << 0;
        QTest::newRow("guitar") << int(T::Guitar) << page<GuitarTuner>() << 1 << 0;
        QTest::newRow("bass guitar, four strings as its page starts")
            << int(T::BassGuitar) << page<BassGuitarTuner>() << 1 << 0;
        QTest::newRow("ukulele") << int(T::Ukulele) << page<UkuleleTuner>() << 1 << 0;
        QTest::newRow("banjo, the fifth string's peg on the neck")
            << int(T::Banjo) << page<BanjoTuner>() << 1 << 1;
        QTest::newRow("balalaika") << int(T::Balalaika) << page<BalalaikaTuner>() << 1 << 0;
        QTest::newRow("mandolin, four pairs")
            << int(T::Mandolin) << page<MandolinTuner>() << 2 << 0;
        QTest::newRow("dombra") << int(T::Dombra) << page<DombraTuner>() << 1 << 0;
    }
    void picturesAreStrungAsTheirPages()
    {
        QFETCH(int, instrument);
        QFETCH(Page, page);
        QFETCH(int, stringsPerNote);
        QFETCH(int, neckPegs);
        // GIVEN the instrument's page and its picture, painted as artgen paints it
        const std::unique_ptr<TunerBasePage> tuner(page());
        QImage picture(360, 500, QImage::Format_RGB32);
        QPainter painter(&picture);
        const InstrumentArt::Drawn drawn = InstrumentArt::draw(painter, picture.rect(),
            InstrumentArt::drawingName(TunerInstruments::Instrument(instrument)), 1.0);
        // THEN the picture has one string per string button shown, or a pair,
        QCOMPARE(drawn.strings, shownButtons(*tuner) * stringsPerNote);
        // AND one peg per string, on the head but for those on the neck
        QCOMPARE(drawn.neckPegs, neckPegs);
        QCOMPARE(drawn.headPegs + drawn.neckPegs, drawn.strings);
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTunerPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TunerPictures.moc"
