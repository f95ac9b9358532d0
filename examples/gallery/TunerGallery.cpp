// gallery tuner: the string tuner at the size it keeps in the settings.
#include "GalleryPages.h"
#include "TunersMainPage.h"

static GalleryPages::Entry entry(
    "tuner", [] { return new VADirur::TunersMainPage(nullptr, false); });
