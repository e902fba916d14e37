// Icon and cursor files made in memory for the tests: one image of 4 or 32 bits per pixel, and
// animated cursors built from their chunks.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vt::test {

inline void Put16(std::vector<std::uint8_t>& b, int v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  Put16(b, int(v & 0xFFFF));
  Put16(b, int(v >> 16));
}

// type 1 = icon, 2 = cursor (the hot spot in the entry's two words).
inline std::vector<std::uint8_t> IconFile(int size, int bits, int type = 1, int hotX = 0, int hotY = 0) {
  const int colors = bits <= 8 ? 1 << bits : 0;
  const int xorStride = ((size * bits + 31) / 32) * 4, andStride = ((size + 31) / 32) * 4;
  const std::uint32_t imageSize = 40 + 4 * colors + (xorStride + andStride) * size;
  std::vector<std::uint8_t> b;
  Put16(b, 0);
  Put16(b, type);
  Put16(b, 1);
  b.insert(b.end(), {std::uint8_t(size), std::uint8_t(size), std::uint8_t(colors == 16 ? 16 : 0), 0});
  Put16(b, type == 2 ? hotX : 1);
  Put16(b, type == 2 ? hotY : bits);
  Put32(b, imageSize);
  Put32(b, 22);
  Put32(b, 40);
  Put32(b, std::uint32_t(size));
  Put32(b, std::uint32_t(size * 2));
  Put16(b, 1);
  Put16(b, bits);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  for (int i = 0; i < colors; ++i) Put32(b, i == 1 ? 0x00FF0000u : 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < xorStride; ++x) b.push_back(bits == 32 ? (x % 4 == 3 ? 0xFF : 0x40) : 0x11);
  b.insert(b.end(), std::size_t(andStride * size), 0);
  return b;
}

// Animated cursors, chunk by chunk: a chunk padded to even size, a list, 32-bit values, the
// "anih" header (frames, steps, rate in jiffies, flags) and the "RIFF"/"ACON" file around chunks.
inline std::vector<std::uint8_t> Chunk(const char* id, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> b(id, id + 4);
  Put32(b, std::uint32_t(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2) b.push_back(0);
  return b;
}

inline std::vector<std::uint8_t> List(const char* type, const std::vector<std::vector<std::uint8_t>>& chunks) {
  std::vector<std::uint8_t> body(type, type + 4);
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("LIST", body);
}

inline std::vector<std::uint8_t> Values(std::initializer_list<std::uint32_t> values) {
  std::vector<std::uint8_t> b;
  for (std::uint32_t v : values) Put32(b, v);
  return b;
}

inline std::vector<std::uint8_t> Header(std::uint32_t frames, std::uint32_t steps, std::uint32_t rate,
                                        std::uint32_t flags = 1) {
  return Chunk("anih", Values({36, frames, steps, 0, 0, 0, 0, rate, flags}));
}

inline std::vector<std::uint8_t> Riff(const std::vector<std::vector<std::uint8_t>>& chunks) {
  std::vector<std::uint8_t> body = {'A', 'C', 'O', 'N'};
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("RIFF", body);
}

}  // namespace vt::test
