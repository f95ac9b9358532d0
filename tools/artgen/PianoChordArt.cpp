// The piano's staff pictures and photographs, one of each per pitch-class
// code of its book, drawn from the chord of that code that is spelt with
// the fewest accidentals.
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "ChordCharts.h"
#include "ChordFiles.h"
#include "PhotoTools.h"
#include "PianoKeyboardPainter.h"
#include "PianoStaffPainter.h"

#include <QMap>
#include <QtConcurrent>

using VADirur::ChordFiles;
using VADirur::ChordSpelling;

static QMap<QString, QVector<ChordSpelling::Note>> chordsByCode()
{
    QMap<QString, QVector<ChordSpelling::Note>> chords;
    for (int index = 0; index < 132; ++index) {
        const QVector<int> fingering = VADirur::ChordCharts::piano.fingering(index);
        const QString code = ChordFiles::pitchClassCode(fingering);
        const QVector<ChordSpelling::Note> notes = ChordSpelling::spell(index, fingering);
        if (!chords.contains(code)
            || ChordSpelling::cost(notes) < ChordSpelling::cost(chords[code]))
            chords.insert(code, notes);
    }
    return chords;
}

static ArtRegistry::Entry entry("piano chord pictures", [](ArtWriter& writer) {
    const QMap<QString, QVector<ChordSpelling::Note>> chords = chordsByCode();
    QStringList codes = chords.keys();
    const QString folder = ChordFiles::resourcePrefix() + ChordFiles::pictureFolder();
    QtConcurrent::blockingMap(codes, [&](const QString& code) {
        const QVector<ChordSpelling::Note> notes = chords.value(code);
        writer.saveResource(
            folder + ChordFiles::staffPictureName(code), PianoStaffPainter::paint(notes));
        QVector<int> keys(24, -1);
        for (const ChordSpelling::Note& note : notes)
            keys[note.key - ChordSpelling::lowestKey] = 0;
        writer.saveResource(folder + ChordFiles::photoName(QStringLiteral("piano"), keys),
            PianoKeyboardPainter::paintPhoto(notes, PhotoTools::seedOf(code)), 88);
    });
});
