#include "GalleryPages.h"
#include "MetronomeMainPage.h"
#include "PageStyleSheets.h"

static GalleryPages::Entry entry("metronome", [] {
    auto* page = new VADirur::MetronomeMainPage(nullptr);
    page->setStyleSheet(VADirur::PageStyleSheets::metronome());
    page->resize(560, 640);
    return page;
});
