// The byte layout of a BMP file: little-endian fields and the headers in front of its rows.
// Works on byte buffers only, so the picture codecs beneath the bitmap class can use it too.
#pragma once

#include <cstdint>
#include <vector>

namespace vt {

void PutU16(std::vector<std::uint8_t>& bytes, std::uint16_t value);
void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value);
// The field at p; the caller has checked that its bytes are there.
inline std::uint16_t GetU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t GetU32(const std::uint8_t* p) { return GetU16(p) | (static_cast<std::uint32_t>(GetU16(p + 2)) << 16); }

struct BmpLayout {
    int Width = 0;
    int Height = 0;  // rows stored bottom-up
    int Bits = 0;
    std::uint32_t ImageSize = 0;        // bytes of the rows that follow the headers
    std::vector<std::int32_t> Palette;  // the colour table, 0x00BBGGRR entries
    std::uint32_t ColorsUsed = 0;       // as the info header gives it; 0 = the whole table
    bool BitFields565 = false;          // 16 bits per pixel as 5-6-5, with its masks
};

// The file header, info header, masks and colour table; room for the rows is reserved.
std::vector<std::uint8_t> BmpHeaders(const BmpLayout& layout);

}  // namespace vt
