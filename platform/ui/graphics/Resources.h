// Named resources of the program: bitmaps, icons, cursors and raw data that the component
// library and the forms load by name. Each unit registers its own bytes once at start-up.
#pragma once

#include <cstdint>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"

constexpr int RT_CURSOR = 1;
constexpr int RT_BITMAP = 2;
constexpr int RT_ICON = 3;
constexpr int RT_RCDATA = 10;
constexpr int RT_GROUP_CURSOR = 12;
constexpr int RT_GROUP_ICON = 14;
constexpr int RT_ANICURSOR = 21;

// The program's own module, for the calls that name one.
extern void* HInstance;

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

namespace vt {

// Stores the bytes under (name, type); names are matched without regard to letter case.
// Bitmaps are stored as BMP files, icons and cursors in their file formats.
void RegisterResource(const String& name, int type, std::vector<std::uint8_t> bytes);
// nullptr when nothing is registered under (name, type).
const std::vector<std::uint8_t>* FindResource(const String& name, int type);
// Raises EResNotFound "Resource %s not found" when nothing is registered.
const std::vector<std::uint8_t>& ResourceBytes(const String& name, int type);

}  // namespace vt
