#include "ui/graphics/BmpFile.h"

namespace vt {

void PutU16(std::vector<std::uint8_t>& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    PutU16(bytes, static_cast<std::uint16_t>(value));
    PutU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> BmpHeaders(const BmpLayout& layout)
{
    const std::uint32_t masks = layout.BitFields565 ? 12 : 0;
    const std::uint32_t offset = 14 + 40 + masks + 4 * static_cast<std::uint32_t>(layout.Palette.size());
    std::vector<std::uint8_t> b;
    b.reserve(offset + layout.ImageSize);
    b.push_back('B');
    b.push_back('M');
    PutU32(b, offset + layout.ImageSize);
    PutU32(b, 0);
    PutU32(b, offset);
    PutU32(b, 40);
    PutU32(b, static_cast<std::uint32_t>(layout.Width));
    PutU32(b, static_cast<std::uint32_t>(layout.Height));
    PutU16(b, 1);
    PutU16(b, static_cast<std::uint16_t>(layout.Bits));
    PutU32(b, layout.BitFields565 ? 3 : 0);  // BI_BITFIELDS or BI_RGB
    PutU32(b, layout.ImageSize);
    PutU32(b, 0);
    PutU32(b, 0);
    PutU32(b, layout.ColorsUsed);
    PutU32(b, 0);
    if (layout.BitFields565) {
        PutU32(b, 0xF800);
        PutU32(b, 0x07E0);
        PutU32(b, 0x001F);
    }
    for (std::int32_t c : layout.Palette)
        b.insert(b.end(), {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                           static_cast<std::uint8_t>(c), 0});
    return b;
}

}  // namespace vt
