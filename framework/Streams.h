#pragma once
// Byte streams: TStream with TMemoryStream and TFileStream.
#include "Classes.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace qx {

class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
    QX_CLASS(TStream)
public:
    // Reads up to count bytes; returns how many were read.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t p) { Seek(p, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size) = 0;

    // Exactly count bytes or EStreamError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source (all of it from the start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
    QX_CLASS(TMemoryStream)
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t size) override;
    void Clear();

    const uint8_t* Memory() const { return FData.data(); }
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }
    void LoadFromFile(const std::wstring& path);
    void SaveToFile(const std::wstring& path);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

enum TFileMode : unsigned { fmOpenRead = 0, fmOpenWrite = 1, fmOpenReadWrite = 2, fmCreate = 0xFF00 };

class TFileStream : public TStream {
    QX_CLASS(TFileStream)
public:
    TFileStream(const std::wstring& path, unsigned mode);
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

private:
    void* FHandle;
};

}  // namespace qx
