#pragma once

#include <functional>
#include <vector>

class ArtWriter;

// Every painter registers itself with a static ArtRegistry::Entry in its
// own file; artgen runs them all, in parallel.
class ArtRegistry
{
public:
    using Painter = std::function<void(ArtWriter&)>;

    struct Entry
    {
        Entry(const char* name, Painter painter);
    };

    struct Item
    {
        const char* name;
        Painter painter;
    };

    static std::vector<Item>& items();
};
