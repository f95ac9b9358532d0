// gallery NAME: shows one complete page of the library as its main window,
// the way a host application would.
#include "App.h"
#include "GalleryPages.h"

#include <QWidget>
#include <cstdio>

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("TessivarGallery"));
    app.setResourceOffset(QStringLiteral("libs/cpp/VADirur/"));
    const QStringList args = QCoreApplication::arguments();
    QWidget* page = args.size() == 2 ? GalleryPages::create(args[1]) : nullptr;
    if (!page) {
        std::fprintf(stderr, "usage: gallery NAME\npages: %s\n",
            qPrintable(GalleryPages::names().join(QLatin1Char(' '))));
        return 2;
    }
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->show();
    app.setMainWidget(page);
    return app.exec();
}
