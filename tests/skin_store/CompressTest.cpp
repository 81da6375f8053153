#include "skin/store/KsCompress.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

namespace {

std::vector<uint8_t> SampleData(size_t size)
{
    std::vector<uint8_t> data(size);
    std::mt19937 random(7);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i % 251 < 200 ? i % 13 : random());
    return data;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data, TCompressionLevel level)
{
    TMemoryStream target;
    {
        TCompressionStream deflate(target, level);
        deflate.WriteBuffer(data.data(), data.size());
    }
    return target.Bytes();
}

// A stream that counts the size of every write, to see the block sizes of the writer.
class TWriteRecorder : public TMemoryStream {
public:
    size_t Write(const void* buffer, size_t count) override
    {
        writes.push_back(count);
        return TMemoryStream::Write(buffer, count);
    }
    std::vector<size_t> writes;
};

template <typename E, typename Operation>
void ExpectInvalidOperation(Operation operation)
{
    try {
        operation();
        ADD_FAILURE() << "no error";
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), L"Invalid stream operation");
    }
}

} // namespace

TEST(Compression, WhatTheWriterDeflatesPlainZlibInflatesAtEveryLevel)
{
    std::vector<uint8_t> data = SampleData(100000);
    for (TCompressionLevel level : {TCompressionLevel::None, TCompressionLevel::Fastest, TCompressionLevel::Default,
                                    TCompressionLevel::Max}) {
        std::vector<uint8_t> packed = Deflate(data, level);
        std::vector<uint8_t> unpacked(data.size());
        uLongf size = static_cast<uLongf>(unpacked.size());
        ASSERT_EQ(uncompress(unpacked.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
        EXPECT_EQ(size, data.size());
        EXPECT_EQ(unpacked, data);
    }
    EXPECT_EQ(Deflate(data, TCompressionLevel::Fastest)[1], 0x01);
    EXPECT_EQ(Deflate(data, TCompressionLevel::Max)[1], 0xDA);
}

TEST(Compression, WriterStartsAtTheTargetPositionWritesBlocksOfAtMost8192AndOnlyTellsItsPosition)
{
    std::vector<uint8_t> data = SampleData(300000);
    TWriteRecorder target;
    target.WriteBuffer("KSLZ", 4);
    target.writes.clear();
    {
        TCompressionStream deflate(target, TCompressionLevel::None);
        deflate.WriteBuffer(data.data(), 1000);
        EXPECT_EQ(deflate.Position(), 1000);
        deflate.WriteBuffer(data.data() + 1000, data.size() - 1000);
        EXPECT_EQ(deflate.Position(), static_cast<int64_t>(data.size()));

        uint8_t byte;
        EXPECT_THROW(deflate.Read(&byte, 1), ECompressionError);
        EXPECT_THROW(deflate.Seek(0, TSeekOrigin::Beginning), ECompressionError);
        EXPECT_THROW(deflate.Seek(1, TSeekOrigin::Current), ECompressionError);
        ExpectInvalidOperation<ECompressionError>([&] { deflate.Seek(0, TSeekOrigin::End); });
    }
    ASSERT_FALSE(target.writes.empty());
    for (size_t size : target.writes) EXPECT_LE(size, 8192u);
    EXPECT_EQ(std::string(target.Bytes().begin(), target.Bytes().begin() + 4), "KSLZ");

    target.SetPosition(4);
    TDecompressionStream inflate(target);
    std::vector<uint8_t> back(data.size());
    inflate.ReadBuffer(back.data(), back.size());
    EXPECT_EQ(back, data);
}

TEST(Decompression, ReaderStopsWhenTheSourceEndsEvenInsideTheZlibStream)
{
    std::vector<uint8_t> data = SampleData(50000);
    std::vector<uint8_t> packed = Deflate(data, TCompressionLevel::Fastest);
    packed.resize(packed.size() / 2);
    TMemoryStream source(packed);
    TDecompressionStream inflate(source);
    std::vector<uint8_t> back(data.size());
    size_t got = inflate.Read(back.data(), back.size());
    EXPECT_GT(got, 0u);
    EXPECT_LT(got, data.size());
    EXPECT_TRUE(std::equal(back.begin(), back.begin() + got, data.begin()));
    EXPECT_EQ(inflate.Read(back.data(), back.size()), 0u);
}

TEST(Decompression, ReaderIgnoresBytesAfterTheEndOfTheZlibStream)
{
    std::vector<uint8_t> data = SampleData(1000);
    std::vector<uint8_t> packed = Deflate(data, TCompressionLevel::Max);
    packed.insert(packed.end(), {1, 2, 3, 4});
    TMemoryStream source(packed);
    TDecompressionStream inflate(source);
    std::vector<uint8_t> back(2000);
    EXPECT_EQ(inflate.Read(back.data(), back.size()), data.size());
}

TEST(Decompression, ForwardSeeksSkipRewindRestartsAndEverythingElseIsRefused)
{
    std::vector<uint8_t> data = SampleData(20000);
    TMemoryStream source;
    source.WriteBuffer("KSLZ", 4);
    std::vector<uint8_t> packed = Deflate(data, TCompressionLevel::Fastest);
    source.WriteBuffer(packed.data(), packed.size());
    source.SetPosition(4);

    TDecompressionStream inflate(source);
    EXPECT_EQ(inflate.Seek(10000, TSeekOrigin::Current), 10000);
    EXPECT_EQ(inflate.ReadByte(), data[10000]);
    EXPECT_EQ(inflate.Seek(3999, TSeekOrigin::Current), 14000);
    EXPECT_EQ(inflate.ReadByte(), data[14000]);
    EXPECT_EQ(inflate.Position(), 14001);

    EXPECT_EQ(inflate.Seek(0, TSeekOrigin::Beginning), 0);
    EXPECT_EQ(inflate.ReadByte(), data[0]);

    // A forward seek beyond the data stops at its end.
    EXPECT_EQ(inflate.Seek(1000000, TSeekOrigin::Current), static_cast<int64_t>(data.size()));

    ExpectInvalidOperation<EDecompressionError>([&] { inflate.Seek(-1, TSeekOrigin::Current); });
    ExpectInvalidOperation<EDecompressionError>([&] { inflate.Seek(5, TSeekOrigin::Beginning); });
    ExpectInvalidOperation<EDecompressionError>([&] { inflate.Seek(30000, TSeekOrigin::Beginning); });
    ExpectInvalidOperation<EDecompressionError>([&] { inflate.Seek(0, TSeekOrigin::End); });
    ExpectInvalidOperation<EDecompressionError>([&] { inflate.WriteByte(1); });
}

TEST(Decompression, DataThatIsNotAZlibStreamRaisesTheDecompressionErrorWithTheTextError)
{
    TMemoryStream source(std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC});
    TDecompressionStream inflate(source);
    uint8_t buffer[16];
    try {
        inflate.Read(buffer, sizeof buffer);
        FAIL() << "no error";
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), L"error");
    }
}
