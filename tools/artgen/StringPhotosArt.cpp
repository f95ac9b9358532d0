// The chord photographs of the guitar, mandolin, banjo, bass and balalaika
// pages, one per distinct fingering of each book.
#include "ArtRegistry.h"
#include "ChordCharts.h"
#include "FretPhotoPainter.h"

namespace {

void paintBook(ArtWriter& writer, const VADirur::ChordChart& chart)
{
    QList<QVector<int>> fingerings;
    for (int index = 0; index < 132; ++index)
        fingerings << chart.fingering(index);
    FretPhotoPainter::paintAll(writer, QLatin1String(chart.instrument), chart.strings, fingerings);
}

ArtRegistry::Entry guitar("guitar photographs",
    [](ArtWriter& writer) { paintBook(writer, VADirur::ChordCharts::guitar); });
ArtRegistry::Entry mandolin("mandolin photographs",
    [](ArtWriter& writer) { paintBook(writer, VADirur::ChordCharts::mandolin); });
ArtRegistry::Entry banjo(
    "banjo photographs", [](ArtWriter& writer) { paintBook(writer, VADirur::ChordCharts::banjo); });
ArtRegistry::Entry bass2(
    "bass photographs", [](ArtWriter& writer) { paintBook(writer, VADirur::ChordCharts::bass2); });
ArtRegistry::Entry balalaika("balalaika photographs",
    [](ArtWriter& writer) { paintBook(writer, VADirur::ChordCharts::balalaika); });

} // namespace
