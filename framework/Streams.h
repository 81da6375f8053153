#pragma once

#include "framework/Handles.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { Beginning, Current, End };

// A byte stream. Read and Write move what they can and return the count; ReadBuffer and
// WriteBuffer move exactly the given count or raise EReadError / EWriteError.
class TStream {
public:
    virtual ~TStream() = default;

    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::Beginning); }
    virtual int64_t Size();

    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source (all from its start when count is 0); returns the count copied.
    int64_t CopyFrom(TStream& source, int64_t count);

    // Little-endian helpers used by the stored formats.
    int32_t ReadInt32();
    void WriteInt32(int32_t value);
    uint8_t ReadByte();
    void WriteByte(uint8_t value);
};

// A stream over a growing block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

    void SetSize(size_t size) { bytes_.resize(size); }
    void Clear() { bytes_.clear(); position_ = 0; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    uint8_t* Memory() { return bytes_.data(); }
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::wstring& fileName);
    void SaveToStream(TStream& target) const;
    void SaveToFile(const std::wstring& fileName) const;

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};

enum class TFileMode { Create, OpenRead, OpenWrite, OpenReadWrite };

// A stream over a file. Opening raises EFOpenError or EFCreateError with the system's reason.
class TFileStream : public TStream {
public:
    TFileStream(const std::wstring& fileName, TFileMode mode);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const std::wstring& FileName() const { return fileName_; }

private:
    std::wstring fileName_;
    TFileHandle file_;
};

// A read-only stream over a resource of the executable (or of another module).
class TResourceStream : public TStream {
public:
    TResourceStream(HINSTANCE instance, const wchar_t* name, const wchar_t* type);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(size_); }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t position_ = 0;
};
