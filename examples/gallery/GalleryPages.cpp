#include "GalleryPages.h"

#include <QMap>

namespace {

QMap<QString, GalleryPages::Factory>& registry()
{
    static QMap<QString, GalleryPages::Factory> pages;
    return pages;
}

} // namespace

GalleryPages::Entry::Entry(const char* name, Factory factory)
{
    registry().insert(QString::fromLatin1(name), std::move(factory));
}

QWidget* GalleryPages::create(const QString& name)
{
    const auto page = registry().constFind(name);
    return page == registry().constEnd() ? nullptr : (*page)();
}

QStringList GalleryPages::names()
{
    return registry().keys();
}
