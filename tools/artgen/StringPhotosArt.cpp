// The chord photographs of the guitar, mandolin, banjo, bass and balalaika
// pages, one per distinct fingering of each book.
#include "ArtRegistry.h"
#include "BalalaikaChordsMainPage.h"
#include "BanjoChordsMainPage.h"
#include "BassChordsMainPage2.h"
#include "ChordTable.h"
#include "FretPhotoPainter.h"
#include "GuitarChordsMainPage.h"
#include "MandolinChordsMainPage.h"

namespace {

template <class Page> void paintBook(ArtWriter& writer, const QString& instrument, int strings)
{
    QList<QVector<int>> fingerings;
    for (int index = 0; index < 132; ++index)
        fingerings << Page::table.fingering(index);
    FretPhotoPainter::paintAll(writer, instrument, strings, fingerings);
}

ArtRegistry::Entry guitar("guitar photographs", [](ArtWriter& writer) {
    paintBook<VADirur::GuitarChordsMainPage>(writer, QStringLiteral("guitar"), 6);
});
ArtRegistry::Entry mandolin("mandolin photographs", [](ArtWriter& writer) {
    paintBook<VADirur::MandolinChordsMainPage>(writer, QStringLiteral("mandolin"), 4);
});
ArtRegistry::Entry banjo("banjo photographs", [](ArtWriter& writer) {
    paintBook<VADirur::BanjoChordsMainPage>(writer, QStringLiteral("banjo"), 5);
});
ArtRegistry::Entry bass2("bass photographs", [](ArtWriter& writer) {
    paintBook<VADirur::BassChordsMainPage2>(writer, QStringLiteral("bass2"), 4);
});
ArtRegistry::Entry balalaika("balalaika photographs", [](ArtWriter& writer) {
    paintBook<VADirur::BalalaikaChordsMainPage>(writer, QStringLiteral("balalaika"), 3);
});

} // namespace
