// What the fuzz targets share: the input cut into the pieces a target needs (texts separated by
// the byte 0x1F, small numbers from the bytes that remain), a scratch file of the process's own,
// and the way a broken rule ends a run.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace vt::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : FText(reinterpret_cast<const char*>(data), size)
    {
    }

    bool Empty() const { return FAt >= FText.size(); }

    // The text up to the next separator, or the rest.
    std::string Next()
    {
        const std::size_t end = std::min(FText.find('\x1F', FAt), FText.size());
        std::string piece = FText.substr(std::min(FAt, FText.size()), end - std::min(FAt, FText.size()));
        FAt = end + 1;
        return piece;
    }

    // One byte of the rest as a number in [low, high]; low when nothing is left.
    int Number(int low, int high)
    {
        if (Empty())
            return low;
        const auto byte = static_cast<unsigned char>(FText[FAt++]);
        return low + byte % (high - low + 1);
    }

private:
    std::string FText;
    std::size_t FAt = 0;
};

// A file in the temporary folder that no other process uses, holding the given bytes.
inline std::string ScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = "/tmp/vt_fuzz_" + std::to_string(getpid()) + "_" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

// A finding that is no memory fault but a broken rule: ends the run as a crash would.
[[noreturn]] inline void Fail() { __builtin_trap(); }

}  // namespace vt::fuzz
