#include "AppStyleSheet.h"
#include "GalleryPages.h"
#include "PageStyleSheets.h"
#include "PianoNotesFinderMainPage.h"
#include "PromoMenuBar.h"

static GalleryPages::Entry entry("notes", [] {
    auto* page = new VADirur::PianoNotesFinderMainPage(nullptr);
    page->addShopMenu();
    page->setStyleSheet(VADirur::PageStyleSheets::notesFinder());
    // The promotion bar looks as on the program's own pages.
    page->promoMenuBar()->setStyleSheet(VADirur::AppStyleSheet::text());
    page->resize(960, 640);
    return page;
});
