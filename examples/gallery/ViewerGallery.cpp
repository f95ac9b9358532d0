// gallery viewer: the introduction slides in the stepping viewer, beside a
// stretched view and a strip of thumbnails.
#include "App.h"
#include "GalleryPages.h"
#include "ViewerPage.h"

#include <QDir>

namespace {

QStringList slides()
{
    const QDir folder(DORuverud::App::theApp()->bundleResourcePath());
    QStringList files;
    for (const QString& name :
        folder.entryList({QStringLiteral("TQSlide*_en.jpg")}, QDir::Files, QDir::Name))
        files << folder.absoluteFilePath(name);
    return files;
}

GalleryPages::Entry entry("viewer", [] { return new ViewerPage(slides()); });

} // namespace
