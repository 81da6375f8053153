#include "framework/Exceptions.h"
#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::wstring TempFileName(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

} // namespace

TEST(MemoryStream, ExactReadsRaiseOnShortData)
{
    TMemoryStream stream({1, 2, 3});
    uint8_t buffer[4] = {};
    EXPECT_THROW(stream.ReadBuffer(buffer, 4), EReadError);

    stream.SetPosition(0);
    EXPECT_EQ(stream.Read(buffer, 4), 3u);
    EXPECT_EQ(stream.Read(buffer, 4), 0u);
}

TEST(MemoryStream, Int32IsLittleEndianAndRoundTripsNegativeValues)
{
    TMemoryStream stream;
    stream.WriteInt32(-2);
    stream.WriteInt32(0x01020304);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}));
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32(), -2);
    EXPECT_EQ(stream.ReadInt32(), 0x01020304);
    EXPECT_THROW(stream.ReadInt32(), EReadError);
}

TEST(MemoryStream, WritingPastTheEndGrowsAndSeekingBeforeTheStartIsRefused)
{
    TMemoryStream stream;
    stream.SetPosition(3);
    stream.WriteByte(9);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0, 0, 0, 9}));
    EXPECT_THROW(stream.Seek(-5, TSeekOrigin::Current), EStreamError);
}

TEST(FileStream, WritesReadsAndReportsAMissingFileWithTheSystemReason)
{
    std::wstring path = TempFileName(L"folvane-stream-test.bin");
    {
        TFileStream out(path, TFileMode::Create);
        out.WriteInt32(42);
    }
    {
        TFileStream in(path, TFileMode::OpenRead);
        EXPECT_EQ(in.Size(), 4);
        EXPECT_EQ(in.ReadInt32(), 42);
    }
    DeleteFileW(path.c_str());

    try {
        TFileStream missing(path, TFileMode::OpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind(L"Cannot open file \"" + path + L"\". ", 0), 0u);
    }
}

TEST(CopyFrom, CopiesTheWholeSourceWhenTheCountIsZero)
{
    std::vector<uint8_t> bytes(100000);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    TMemoryStream source(bytes);
    source.SetPosition(500);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 100000);
    EXPECT_EQ(target.Bytes(), bytes);
}
