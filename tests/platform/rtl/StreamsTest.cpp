// Streams: buffer reads that fall short raise, copying, memory and file streams, and the
// share modes among this program's own file streams.
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "rtl/Exceptions.h"

namespace {

String TempFile(const char* name)
{
    return (std::filesystem::temp_directory_path() /
            ("vt_stream_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

}  // namespace

TEST(Streams, MemoryStreamReadWriteSeek)
{
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
    stream.Seek(-4, soEnd);
    char two[2];
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::memcmp(two, "cd", 2), 0);
    stream.Seek(10, soBeginning);
    stream.WriteBuffer("z", 1);  // writing past the end fills the gap
    EXPECT_EQ(stream.Size(), 11);
    stream.SetSize(3);
    EXPECT_EQ(stream.Position(), 3);
    char buffer[8];
    stream.SetPosition(1);
    EXPECT_EQ(stream.Read(buffer, 8), 2);
    stream.SetPosition(2);
    try {
        stream.ReadBuffer(buffer, 2);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

TEST(Streams, FileStreamRoundTripAndCopy)
{
    String path = TempFile("roundtrip");
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("hello world", 11);
    }
    TMemoryStream memory;
    memory.LoadFromFile(path);
    EXPECT_EQ(String(reinterpret_cast<const char*>(memory.Memory()), 11), "hello world");

    TMemoryStream part;
    memory.SetPosition(6);
    EXPECT_EQ(part.CopyFrom(&memory, 5), 5);
    EXPECT_EQ(String(reinterpret_cast<const char*>(part.Memory()), 5), "world");
    TMemoryStream all;
    all.CopyFrom(&memory, 0);
    EXPECT_EQ(all.Size(), 11);
    EXPECT_THROW(part.CopyFrom(&memory, 1), EReadError);  // memory is at its end

    {
        TFileStream edit(path, fmOpenReadWrite);
        edit.Seek(0, soEnd);
        edit.WriteBuffer("!", 1);
        EXPECT_EQ(edit.Size(), 12);
    }
    TFileStream in(path, fmOpenRead);
    EXPECT_EQ(in.Size(), 12);
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
    std::filesystem::remove(path);
}

TEST(Streams, OpenErrorsNameTheFile)
{
    String missing = TempFile("missing");
    try {
        TFileStream in(missing, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("Cannot open file \"" + missing + "\""), String::npos);
    }
    EXPECT_THROW(TFileStream("/no/such/dir/x", fmCreate), EFCreateError);
}

TEST(Streams, ShareModesAmongOwnStreams)
{
    String path = TempFile("share");
    {
        TFileStream create(path, fmCreate);
    }
    {
        TFileStream exclusive(path, fmOpenReadWrite | fmShareExclusive);
        exclusive.WriteBuffer("keep", 4);
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyWrite), EFOpenError);
        // A refused create must not have emptied the file.
        EXPECT_THROW(TFileStream(path, fmCreate), EFCreateError);
        EXPECT_EQ(exclusive.Size(), 4);
        EXPECT_NO_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone));
    }
    {
        TFileStream reader(path, fmOpenRead | fmShareDenyWrite);
        EXPECT_NO_THROW(TFileStream(path, fmOpenRead | fmShareDenyWrite));
        EXPECT_THROW(TFileStream(path, fmOpenReadWrite | fmShareExclusive), EFOpenError);
    }
    std::filesystem::remove(path);
}
