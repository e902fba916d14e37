// Byte streams of the class library: TStream's reading, writing and seeking, a stream in
// memory, and a file stream with the open and share modes (shares are kept among this
// program's own streams through advisory locks).
#pragma once

#include <cstdint>
#include <vector>

#include "rtl/Classes.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

class TStream : public TObject {
public:
    // Reads or writes up to count bytes and returns how many moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    // All or nothing: raise EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source's position; count 0 copies all of source from its start.
    std::int64_t CopyFrom(TStream* source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }
    void SetSize(std::int64_t size) override;

    std::uint8_t* Memory() { return FData.data(); }
    const std::uint8_t* Memory() const { return FData.data(); }
    void Clear();
    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

private:
    std::vector<std::uint8_t> FData;
    std::int64_t FPosition = 0;
};

// Open modes (the low bits) and share modes, combined with "|".
constexpr unsigned short fmOpenRead = 0x0000;
constexpr unsigned short fmOpenWrite = 0x0001;
constexpr unsigned short fmOpenReadWrite = 0x0002;
constexpr unsigned short fmShareCompat = 0x0000;
constexpr unsigned short fmShareExclusive = 0x0010;
constexpr unsigned short fmShareDenyWrite = 0x0020;
constexpr unsigned short fmShareDenyRead = 0x0030;
constexpr unsigned short fmShareDenyNone = 0x0040;
constexpr unsigned short fmCreate = 0xFF00;

class TFileStream : public TStream {
public:
    // Raises EFCreateError or EFOpenError with the file name and the system's reason.
    TFileStream(const String& fileName, unsigned short mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
    int FHandle = -1;
};
