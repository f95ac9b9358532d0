#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// The pages the gallery can open. Every page registers itself with a static
// GalleryPages::Entry in a file of its own.
class GalleryPages
{
public:
    // Builds the page, ready to be shown as a top-level window.
    using Factory = std::function<QWidget*()>;

    struct Entry
    {
        Entry(const char* name, Factory factory);
    };

    // Null when no page has that name.
    static QWidget* create(const QString& name);
    // Sorted.
    static QStringList names();
};
