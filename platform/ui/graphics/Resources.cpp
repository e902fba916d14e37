// The resource registry: one table of byte blocks keyed by upper-cased name and type.
#include "ui/graphics/Resources.h"

#include <map>
#include <utility>

void* HInstance = nullptr;

namespace vt {
namespace {

std::map<std::pair<String, int>, std::vector<std::uint8_t>>& Table()
{
    static std::map<std::pair<String, int>, std::vector<std::uint8_t>> table;
    return table;
}

}  // namespace

void RegisterResource(const String& name, int type, std::vector<std::uint8_t> bytes)
{
    Table()[{UpperCase(name), type}] = std::move(bytes);
}

const std::vector<std::uint8_t>* FindResource(const String& name, int type)
{
    auto it = Table().find({UpperCase(name), type});
    return it == Table().end() ? nullptr : &it->second;
}

const std::vector<std::uint8_t>& ResourceBytes(const String& name, int type)
{
    if (const auto* bytes = FindResource(name, type))
        return *bytes;
    throw EResNotFound("Resource " + name + " not found");
}

}  // namespace vt
