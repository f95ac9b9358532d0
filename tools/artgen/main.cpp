// artgen <resources source dir> <resource tree dir> <bundle Resources dir> <qrc file>
// Paints every picture the program loads.
#include "ArtRegistry.h"
#include "ArtWriter.h"

#include <QApplication>
#include <QtConcurrent>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: artgen <source dir> <tree dir> <bundle dir> <qrc file>\n");
        return 2;
    }
    ArtWriter writer(args[1], args[2], args[3]);
    QtConcurrent::blockingMap(
        ArtRegistry::items(), [&writer](const ArtRegistry::Item& item) { item.painter(writer); });
    if (writer.failed() || !writer.writeQrc(args[4]))
        return 1;
    return 0;
}
