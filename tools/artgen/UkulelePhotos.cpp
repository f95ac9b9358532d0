// The ukulele's chord photographs, one per distinct fingering of its book.
#include "ArtRegistry.h"
#include "ChordCharts.h"
#include "FretPhotoPainter.h"

static ArtRegistry::Entry entry("ukulele photographs", [](ArtWriter& writer) {
    QList<QVector<int>> fingerings;
    for (int index = 0; index < 132; ++index)
        fingerings << VADirur::ChordCharts::ukulele.fingering(index);
    FretPhotoPainter::paintAll(writer, QStringLiteral("ukulele"), 4, fingerings);
});
