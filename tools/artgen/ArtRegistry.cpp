#include "ArtRegistry.h"

ArtRegistry::Entry::Entry(const char* name, Painter painter)
{
    items().push_back({name, std::move(painter)});
}

std::vector<ArtRegistry::Item>& ArtRegistry::items()
{
    static std::vector<Item> all;
    return all;
}
