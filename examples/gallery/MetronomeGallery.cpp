#include "AppStyleSheet.h"
#include "GalleryPages.h"
#include "MetronomeMainPage.h"
#include "PageStyleSheets.h"
#include "PromoMenuBar.h"

static GalleryPages::Entry entry("metronome", [] {
    auto* page = new VADirur::MetronomeMainPage(nullptr);
    page->setStyleSheet(VADirur::PageStyleSheets::metronome());
    // The promotion bar looks as on the program's own pages.
    page->promoMenuBar()->setStyleSheet(VADirur::AppStyleSheet::text());
    page->resize(560, 640);
    return page;
});
