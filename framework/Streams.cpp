#include "Streams.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace qx {

QX_DEFINE_CLASS(TStream, TObject, b) {}
QX_DEFINE_CLASS(TMemoryStream, TStream, b) {}
QX_DEFINE_CLASS(TFileStream, TStream, b) {}

int64_t TStream::Size() {
    int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EStreamError("stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EStreamError("stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> chunk(64 * 1024);
    int64_t left = count;
    while (left > 0) {
        int64_t n = std::min<int64_t>(left, static_cast<int64_t>(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

//--- TMemoryStream

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= Size()) return 0;
    int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    if (FPosition + count > Size()) FData.resize(static_cast<size_t>(FPosition + count));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? FPosition : Size();
    FPosition = std::max<int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::wstring& path) {
    TFileStream file(path, fmOpenRead);
    Clear();
    SetSize(file.Size());
    file.ReadBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const std::wstring& path) {
    TFileStream file(path, fmCreate);
    file.WriteBuffer(FData.data(), Size());
}

//--- TFileStream

TFileStream::TFileStream(const std::wstring& path, unsigned mode) {
    DWORD access = mode == fmCreate ? GENERIC_READ | GENERIC_WRITE
                 : mode == fmOpenWrite ? GENERIC_WRITE
                 : mode == fmOpenReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    FHandle = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr,
                            mode == fmCreate ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        std::string narrow(path.begin(), path.end());
        throw EStreamError((mode == fmCreate ? "cannot create file " : "cannot open file ") + narrow);
    }
}

TFileStream::~TFileStream() { ::CloseHandle(FHandle); }

int64_t TFileStream::Read(void* buffer, int64_t count) {
    DWORD got = 0;
    if (count <= 0 || !::ReadFile(FHandle, buffer, static_cast<DWORD>(std::min<int64_t>(count, MAXDWORD)), &got, nullptr))
        return 0;
    return got;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    DWORD put = 0;
    if (count <= 0 || !::WriteFile(FHandle, buffer, static_cast<DWORD>(std::min<int64_t>(count, MAXDWORD)), &put, nullptr))
        return 0;
    return put;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER to, now;
    to.QuadPart = offset;
    DWORD how = origin == TSeekOrigin::soBeginning ? FILE_BEGIN : origin == TSeekOrigin::soCurrent ? FILE_CURRENT : FILE_END;
    if (!::SetFilePointerEx(FHandle, to, &now, how)) return -1;
    return now.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
    Seek(size, TSeekOrigin::soBeginning);
    ::SetEndOfFile(FHandle);
}

}  // namespace qx
