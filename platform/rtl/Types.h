// The class library's fixed-size integer names, shared by the date routines, streams and the
// component library.
#pragma once

#include <cstdint>

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Int64 = std::int64_t;
