// Stream behaviour: the buffer routines and copying on top of Read/Write/Seek, the memory
// stream's growable buffer, and the file stream over a POSIX descriptor.
#include "rtl/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "rtl/Exceptions.h"

std::int64_t TStream::Size()
{
    std::int64_t here = Position();
    std::int64_t end = Seek(0, soEnd);
    SetPosition(here);
    return end;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream* source, std::int64_t count)
{
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::int64_t>(count, 65536)));
    for (std::int64_t left = count; left > 0;) {
        std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
        source->ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream ----

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t available = std::max<std::int64_t>(0, Size() - FPosition);
    std::int64_t n = std::clamp<std::int64_t>(count, 0, available);
    if (n > 0)
        std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    if (FPosition + count > Size())
        FData.resize(static_cast<std::size_t>(FPosition + count));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
    FPosition += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : Size();
    FPosition = std::max<std::int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, size)));
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream)
{
    stream->SetPosition(0);
    std::int64_t size = stream->Size();
    SetSize(size);
    stream->ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* stream)
{
    stream->WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const String& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TMemoryStream::SaveToFile(const String& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(&file);
}

// ---- TFileStream ----

namespace {

int OpenFlags(unsigned short mode)
{
    // Truncated only once the share lock is held, so a refused create leaves the file whole.
    if ((mode & 0xFF00) == fmCreate)
        return O_RDWR | O_CREAT;
    switch (mode & 0x0003) {
    case fmOpenWrite:
        return O_WRONLY;
    case fmOpenReadWrite:
        return O_RDWR;
    default:
        return O_RDONLY;
    }
}

// The advisory lock that stands for a share mode; 0 when the mode shares freely.
int LockFor(unsigned short mode)
{
    if ((mode & 0xFF00) == fmCreate)
        return LOCK_EX;
    switch (mode & 0x00F0) {
    case fmShareExclusive:
    case fmShareDenyRead:
        return LOCK_EX;
    case fmShareDenyWrite:
        return LOCK_SH;
    default:
        return 0;
    }
}

}  // namespace

TFileStream::TFileStream(const String& fileName, unsigned short mode) : FFileName(fileName)
{
    bool creating = (mode & 0xFF00) == fmCreate;
    FHandle = ::open(fileName.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
    String reason = FHandle < 0 ? std::strerror(errno) : "";
    if (FHandle >= 0) {
        int lock = LockFor(mode);
        if (lock != 0 && ::flock(FHandle, lock | LOCK_NB) != 0) {
            reason = "The file is in use by another stream";
            ::close(FHandle);
            FHandle = -1;
        } else if (creating && ::ftruncate(FHandle, 0) != 0) {
            reason = std::strerror(errno);
            ::close(FHandle);
            FHandle = -1;
        }
    }
    if (FHandle < 0) {
        String message = "\"" + fileName + "\". " + reason;
        if (creating)
            throw EFCreateError("Cannot create file " + message);
        throw EFOpenError("Cannot open file " + message);
    }
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

namespace {

// Repeats a read or write until count bytes moved, the file ends or an error stops it.
template <typename Byte, typename Transfer>
std::int64_t TransferAll(Byte* bytes, std::int64_t count, Transfer transfer)
{
    std::int64_t total = 0;
    while (total < count) {
        ssize_t n = transfer(bytes + total, static_cast<std::size_t>(count - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    return total;
}

}  // namespace

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    return TransferAll(static_cast<char*>(buffer), count,
                       [this](char* at, std::size_t n) { return ::read(FHandle, at, n); });
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    return TransferAll(static_cast<const char*>(buffer), count,
                       [this](const char* at, std::size_t n) { return ::write(FHandle, at, n); });
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    return ::lseek(FHandle, offset, whence);
}

void TFileStream::SetSize(std::int64_t size)
{
    std::int64_t here = Position();
    if (::ftruncate(FHandle, size) != 0)
        throw EWriteError("Stream write error");
    SetPosition(std::min(here, size));
}
