#include "framework/Streams.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <cstring>

int64_t TStream::Size()
{
    int64_t position = Seek(0, TSeekOrigin::Current);
    int64_t size = Seek(0, TSeekOrigin::End);
    Seek(position, TSeekOrigin::Beginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, size_t count)
{
    if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count)
{
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, 0xF000)));
    int64_t left = count;
    while (left > 0) {
        size_t chunk = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(buffer.size())));
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= static_cast<int64_t>(chunk);
    }
    return count;
}

int32_t TStream::ReadInt32()
{
    uint8_t b[4];
    ReadBuffer(b, 4);
    return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

void TStream::WriteInt32(int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 24)};
    WriteBuffer(b, 4);
}

uint8_t TStream::ReadByte()
{
    uint8_t b;
    ReadBuffer(&b, 1);
    return b;
}

void TStream::WriteByte(uint8_t value) { WriteBuffer(&value, 1); }

size_t TMemoryStream::Read(void* buffer, size_t count)
{
    if (position_ >= bytes_.size()) return 0;
    count = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

size_t TMemoryStream::Write(const void* buffer, size_t count)
{
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == TSeekOrigin::Beginning ? 0
                   : origin == TSeekOrigin::Current ? static_cast<int64_t>(position_)
                                                    : static_cast<int64_t>(bytes_.size());
    int64_t target = base + offset;
    if (target < 0) throw EStreamError(L"Invalid stream operation");
    position_ = static_cast<size_t>(target);
    return target;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    bytes_.resize(static_cast<size_t>(source.Size()));
    source.ReadBuffer(bytes_.data(), bytes_.size());
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::wstring& fileName)
{
    TFileStream file(fileName, TFileMode::OpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) const { target.WriteBuffer(bytes_.data(), bytes_.size()); }

void TMemoryStream::SaveToFile(const std::wstring& fileName) const
{
    TFileStream file(fileName, TFileMode::Create);
    SaveToStream(file);
}

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode) : fileName_(fileName)
{
    DWORD access = mode == TFileMode::OpenRead    ? GENERIC_READ
                   : mode == TFileMode::OpenWrite ? GENERIC_WRITE
                                                  : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == TFileMode::Create ? CREATE_ALWAYS : OPEN_EXISTING;
    DWORD share = mode == TFileMode::OpenRead ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    file_.Reset(CreateFileW(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
        std::wstring reason = SystemErrorText(GetLastError());
        if (mode == TFileMode::Create)
            throw EFCreateError(FormatMessageText(L"Cannot create file \"%s\". %s", {fileName, reason}));
        throw EFOpenError(FormatMessageText(L"Cannot open file \"%s\". %s", {fileName, reason}));
    }
}

size_t TFileStream::Read(void* buffer, size_t count)
{
    size_t total = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (total < count) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - total, 1u << 30));
        DWORD done = 0;
        if (!ReadFile(file_.Get(), bytes + total, chunk, &done, nullptr) || done == 0) break;
        total += done;
    }
    return total;
}

size_t TFileStream::Write(const void* buffer, size_t count)
{
    size_t total = 0;
    auto* bytes = static_cast<const uint8_t*>(buffer);
    while (total < count) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - total, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file_.Get(), bytes + total, chunk, &done, nullptr) || done == 0) break;
        total += done;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER result{};
    DWORD method = origin == TSeekOrigin::Beginning ? FILE_BEGIN
                   : origin == TSeekOrigin::Current ? FILE_CURRENT
                                                    : FILE_END;
    if (!SetFilePointerEx(file_.Get(), distance, &result, method)) throw EStreamError(L"Invalid stream operation");
    return result.QuadPart;
}

TResourceStream::TResourceStream(HINSTANCE instance, const wchar_t* name, const wchar_t* type)
{
    HRSRC info = FindResourceW(instance, name, type);
    HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
    if (!handle) throw EStreamError(L"Resource not found");
    data_ = static_cast<const uint8_t*>(LockResource(handle));
    size_ = SizeofResource(instance, info);
}

size_t TResourceStream::Read(void* buffer, size_t count)
{
    if (position_ >= size_) return 0;
    count = std::min(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return count;
}

size_t TResourceStream::Write(const void*, size_t)
{
    throw EStreamError(L"Can't write to a read-only resource stream");
}

int64_t TResourceStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == TSeekOrigin::Beginning ? 0
                   : origin == TSeekOrigin::Current ? static_cast<int64_t>(position_)
                                                    : static_cast<int64_t>(size_);
    int64_t target = base + offset;
    if (target < 0) throw EStreamError(L"Invalid stream operation");
    position_ = static_cast<size_t>(target);
    return target;
}
