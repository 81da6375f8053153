#pragma once

#include "framework/Exceptions.h"
#include "framework/Streams.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

class ECompressionError : public Exception { public: using Exception::Exception; };
class EDecompressionError : public Exception { public: using Exception::Exception; };

enum class TCompressionLevel { None, Fastest, Default, Max };

// The zlib level of each compression level: none 0, fastest 1, default (zlib's own) -1, max 9.
int ZlibLevel(TCompressionLevel level);

// Reads the inflated bytes of a zlib stream that starts at the source's current position. The
// source is pulled in chunks of 8192 bytes; reading stops producing bytes when the source is
// exhausted, whether or not the zlib stream reached its end. Only forward seeks (done by reading
// and discarding) and a seek to 0 from the beginning (a rewind) are allowed.
class TDecompressionStream : public TStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;
    TDecompressionStream(const TDecompressionStream&) = delete;
    TDecompressionStream& operator=(const TDecompressionStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    void Rewind();
    void Skip(int64_t count);

    TStream& source_;
    int64_t sourceStart_;
    z_stream zlib_{};
    std::vector<uint8_t> input_;
    int64_t position_ = 0;
    bool sourceExhausted_ = false;
    bool streamEnded_ = false;
};

// Deflates everything written to it into the target at the target's current position. Only the
// position may be asked for. Finish (or, failing that, destruction) ends the zlib stream and
// writes what is left in blocks of at most 8192 bytes.
class TCompressionStream : public TStream {
public:
    TCompressionStream(TStream& target, TCompressionLevel level);
    ~TCompressionStream() override;
    TCompressionStream(const TCompressionStream&) = delete;
    TCompressionStream& operator=(const TCompressionStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

    // Ends the zlib stream; errors are raised here rather than lost in the destructor.
    void Finish();

private:
    // Deflates the pending input, writing the output buffer whenever it is full.
    void DeflateInput();

    TStream& target_;
    z_stream zlib_{};
    std::vector<uint8_t> output_;
    int64_t position_ = 0;
    bool finished_ = false;
};
