#include "GalleryPages.h"
#include "PageStyleSheets.h"
#include "PianoNotesFinderMainPage.h"

static GalleryPages::Entry entry("notes", [] {
    auto* page = new VADirur::PianoNotesFinderMainPage(nullptr);
    page->addShopMenu();
    page->setStyleSheet(VADirur::PageStyleSheets::notesFinder());
    page->resize(960, 640);
    return page;
});
