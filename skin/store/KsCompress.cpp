#include "skin/store/KsCompress.h"

#include <algorithm>

namespace {

constexpr size_t InputChunk = 8192;
constexpr size_t OutputBlock = 8192;
constexpr size_t SkipBlock = 4096;
// zlib counts in 32-bit units; larger requests are handed over in pieces of this size.
constexpr size_t MaxZlibPiece = size_t{1} << 30;

[[noreturn]] void RaiseDecompressionError() { throw EDecompressionError(L"error"); }
[[noreturn]] void RaiseCompressionError() { throw ECompressionError(L"error"); }

} // namespace

int ZlibLevel(TCompressionLevel level)
{
    switch (level) {
    case TCompressionLevel::None: return Z_NO_COMPRESSION;
    case TCompressionLevel::Fastest: return Z_BEST_SPEED;
    case TCompressionLevel::Max: return Z_BEST_COMPRESSION;
    case TCompressionLevel::Default: break;
    }
    return Z_DEFAULT_COMPRESSION;
}

TDecompressionStream::TDecompressionStream(TStream& source)
    : source_(source), sourceStart_(source.Position()), input_(InputChunk)
{
    if (inflateInit(&zlib_) != Z_OK) RaiseDecompressionError();
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&zlib_); }

size_t TDecompressionStream::Read(void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    size_t produced = 0;
    while (produced < count && !streamEnded_) {
        if (zlib_.avail_in == 0) {
            if (sourceExhausted_) break;
            size_t got = source_.Read(input_.data(), input_.size());
            if (got == 0) {
                sourceExhausted_ = true;
                break;
            }
            zlib_.next_in = input_.data();
            zlib_.avail_in = static_cast<uInt>(got);
        }
        size_t piece = std::min(count - produced, MaxZlibPiece);
        zlib_.next_out = out + produced;
        zlib_.avail_out = static_cast<uInt>(piece);
        int rc = inflate(&zlib_, Z_NO_FLUSH);
        produced += piece - zlib_.avail_out;
        if (rc == Z_STREAM_END) streamEnded_ = true;
        else if (rc != Z_OK && !(rc == Z_BUF_ERROR && zlib_.avail_in == 0)) RaiseDecompressionError();
    }
    position_ += static_cast<int64_t>(produced);
    return produced;
}

size_t TDecompressionStream::Write(const void*, size_t)
{
    throw EDecompressionError(L"Invalid stream operation");
}

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (origin == TSeekOrigin::Beginning && offset == 0) {
        Rewind();
    } else if (origin == TSeekOrigin::Current && offset >= 0) {
        Skip(offset);
    } else {
        throw EDecompressionError(L"Invalid stream operation");
    }
    return position_;
}

void TDecompressionStream::Rewind()
{
    if (inflateReset(&zlib_) != Z_OK) RaiseDecompressionError();
    zlib_.next_in = nullptr;
    zlib_.avail_in = 0;
    source_.SetPosition(sourceStart_);
    sourceExhausted_ = false;
    streamEnded_ = false;
    position_ = 0;
}

void TDecompressionStream::Skip(int64_t count)
{
    uint8_t discard[SkipBlock];
    while (count > 0) {
        size_t got = Read(discard, static_cast<size_t>(std::min<int64_t>(count, SkipBlock)));
        if (got == 0) break;
        count -= static_cast<int64_t>(got);
    }
}

TCompressionStream::TCompressionStream(TStream& target, TCompressionLevel level)
    : target_(target), output_(OutputBlock)
{
    if (deflateInit(&zlib_, ZlibLevel(level)) != Z_OK) RaiseCompressionError();
    zlib_.next_out = output_.data();
    zlib_.avail_out = static_cast<uInt>(output_.size());
}

TCompressionStream::~TCompressionStream()
{
    // Only reached unfinished when an error is already on its way out; a second error is dropped.
    if (!finished_) {
        try {
            Finish();
        } catch (const Exception&) {
        }
    }
    deflateEnd(&zlib_);
}

size_t TCompressionStream::Read(void*, size_t)
{
    throw ECompressionError(L"Invalid stream operation");
}

size_t TCompressionStream::Write(const void* buffer, size_t count)
{
    if (finished_) throw ECompressionError(L"Invalid stream operation");
    const auto* in = static_cast<const uint8_t*>(buffer);
    size_t left = count;
    while (left > 0) {
        size_t piece = std::min(left, MaxZlibPiece);
        zlib_.next_in = const_cast<uint8_t*>(in);
        zlib_.avail_in = static_cast<uInt>(piece);
        DeflateInput();
        in += piece;
        left -= piece;
    }
    position_ += static_cast<int64_t>(count);
    return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin)
{
    if (origin == TSeekOrigin::Current && offset == 0) return position_;
    throw ECompressionError(L"Invalid stream operation");
}

void TCompressionStream::Finish()
{
    if (finished_) return;
    finished_ = true;
    zlib_.next_in = nullptr;
    zlib_.avail_in = 0;
    int rc;
    do {
        rc = deflate(&zlib_, Z_FINISH);
        if (rc != Z_OK && rc != Z_STREAM_END) RaiseCompressionError();
        size_t pending = output_.size() - zlib_.avail_out;
        if (zlib_.avail_out == 0 || (rc == Z_STREAM_END && pending > 0)) {
            target_.WriteBuffer(output_.data(), pending);
            zlib_.next_out = output_.data();
            zlib_.avail_out = static_cast<uInt>(output_.size());
        }
    } while (rc != Z_STREAM_END);
}

void TCompressionStream::DeflateInput()
{
    while (zlib_.avail_in > 0) {
        if (deflate(&zlib_, Z_NO_FLUSH) != Z_OK) RaiseCompressionError();
        if (zlib_.avail_out == 0) {
            target_.WriteBuffer(output_.data(), output_.size());
            zlib_.next_out = output_.data();
            zlib_.avail_out = static_cast<uInt>(output_.size());
        }
    }
}
