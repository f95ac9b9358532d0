#include "ChordFiles.h"

namespace VADirur {

QString ChordFiles::fretCode(const QVector<int>& tab)
{
    QString code;
    for (int value : tab)
        code += value < 0 ? QStringLiteral("X") : QString::number(value);
    return code;
}

QString ChordFiles::pitchClassCode(const QVector<int>& tab)
{
    QString code(12, QLatin1Char('X'));
    for (int key = 0; key < qMin(tab.size(), 24); ++key) {
        if (tab.at(key) == 0)
            code[key % 12] = QLatin1Char('0');
    }
    return code;
}

QString ChordFiles::photoName(const QString& instrument, const QVector<int>& tab)
{
    const QString code = instrument == QLatin1String("piano") ? pitchClassCode(tab) : fretCode(tab);
    return instrument + QLatin1Char('_') + code + QStringLiteral(".jpg");
}

QString ChordFiles::staffPictureName(const QString& code)
{
    return QStringLiteral("a_") + code + QStringLiteral(".png");
}

QString ChordFiles::resourcePrefix()
{
    return QStringLiteral("libs/cpp/VADirur/");
}

QString ChordFiles::pictureFolder()
{
    return QStringLiteral("_resources/imgs/Chords/");
}

} // namespace VADirur
