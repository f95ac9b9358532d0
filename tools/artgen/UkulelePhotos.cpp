// The ukulele's chord photographs, one per distinct fingering of its book.
#include "ArtRegistry.h"
#include "ChordTable.h"
#include "FretPhotoPainter.h"
#include "UkuleleChordsMainPage.h"

static ArtRegistry::Entry entry("ukulele photographs", [](ArtWriter& writer) {
    QList<QVector<int>> fingerings;
    for (int index = 0; index < 132; ++index)
        fingerings << VADirur::UkuleleChordsMainPage::table.fingering(index);
    FretPhotoPainter::paintAll(writer, QStringLiteral("ukulele"), 4, fingerings);
});
