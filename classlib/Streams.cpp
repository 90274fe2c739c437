#include "classlib/Streams.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

// ---- TStream ----

int64_t TStream::Size() {
    int64_t position = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError(ClassName() + " cannot change its size"); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> buffer(size_t(std::min<int64_t>(count, 64 * 1024)));
    for (int64_t left = count; left > 0;) {
        int64_t chunk = std::min<int64_t>(left, int64_t(buffer.size()));
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= chunk;
    }
    return count;
}

void TStream::NegativePosition() { throw EStreamError("Stream position before its start"); }

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (FHandle < 0) throw EFCreateError("Cannot create file " + fileName);
        return;
    }
    int flags = (mode & 3) == fmOpenWrite ? O_WRONLY : (mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    FHandle = ::open(fileName.c_str(), flags | O_CLOEXEC);
    if (FHandle < 0) throw EFOpenError("Cannot open file " + fileName);
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t done = 0;
    while (done < count) {
        ssize_t n = ::read(FHandle, static_cast<char*>(buffer) + done, size_t(count - done));
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t done = 0;
    while (done < count) {
        ssize_t n = ::write(FHandle, static_cast<const char*>(buffer) + done, size_t(count - done));
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t result = ::lseek(FHandle, off_t(offset), whence);
    if (result < 0) NegativePosition();
    return result;
}

void TFileStream::SetSize(int64_t size) {
    if (::ftruncate(FHandle, off_t(size)) != 0) throw EWriteError("Cannot change the size of file " + FFileName);
}

// ---- TCustomMemoryStream ----

void TCustomMemoryStream::SetPointer(const uint8_t* memory, int64_t size) {
    FMemory = memory;
    FSize = size;
}

int64_t TCustomMemoryStream::Read(void* buffer, int64_t count) {
    int64_t n = std::clamp<int64_t>(FSize - FPosition, 0, std::max<int64_t>(count, 0));
    if (n > 0) std::memcpy(buffer, FMemory + FPosition, size_t(n));
    FPosition += n;
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : FSize;
    if (base + offset < 0) NegativePosition();
    FPosition = base + offset;
    return FPosition;
}

// ---- TMemoryStream ----

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    int64_t end = FPosition + count;
    if (end > int64_t(FData.size())) SetSize(end);
    std::memcpy(FData.data() + FPosition, buffer, size_t(count));
    FPosition = end;
    return count;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(size_t(std::max<int64_t>(size, 0)));
    SetPointer(FData.data(), int64_t(FData.size()));
    FPosition = std::min(FPosition, int64_t(FData.size()));
}

void TMemoryStream::Clear() {
    SetSize(0);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    SetSize(size);
    stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(FData.data(), int64_t(FData.size())); }

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}
