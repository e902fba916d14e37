# Writes a C++ source that registers every bitmap given in ART (a list of .bmp files) with the
# platform's resource registry under its file name without extension, e.g. CEDITBMP.
# Run in script mode: cmake -DART=<files> -DOUT=<source> -P EmbedArt.cmake
set(body "")
set(calls "")
set(index 0)
foreach(file IN LISTS ART)
  get_filename_component(name ${file} NAME_WE)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const std::uint8_t kArt${index}[] = {\n${bytes}};\n")
  string(APPEND calls "    RegisterResource(\"${name}\", RT_BITMAP, {std::begin(kArt${index}), std::end(kArt${index})});\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUT}.tmp
"// Generated from resources/*.bmp by components/EmbedArt.cmake; do not edit.
#include \"ui/graphics/Resources.h\"

#include <cstdint>
#include <iterator>

namespace {
${body}} // namespace

namespace vt {
void RegisterComponentArt()
{
  static const bool registered = [] {
${calls}    return true;
  }();
  (void)registered;
}
} // namespace vt
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
