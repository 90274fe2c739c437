#pragma once
#include "classlib/Object.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };
using enum TSeekOrigin;

// File open modes, as the original's.
enum : unsigned { fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002, fmCreate = 0xFF00 };

// A sequence of bytes with a position.
class TStream : public TObject {
    VMR_CLASS(TStream, TObject)

public:
    // Read and Write move what they can and return the count moved.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position; a position before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t size);

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    // Exactly count bytes, or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from the source's position; 0 copies the whole source from its start.
    int64_t CopyFrom(TStream& source, int64_t count);

protected:
    TStream() = default;
    [[noreturn]] static void NegativePosition();
};

// A stream over a file. Raises EFOpenError "Cannot open file <path>" or EFCreateError "Cannot create file
// <path>".
class TFileStream : public TStream {
    VMR_CLASS(TFileStream, TStream)

public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    const std::string& FileName() const { return FFileName; }
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

private:
    std::string FFileName;
    int FHandle = -1;
};

// A stream over bytes in memory that it reads; writing is for subclasses.
class TCustomMemoryStream : public TStream {
    VMR_CLASS(TCustomMemoryStream, TStream)

public:
    const uint8_t* Memory() const { return FMemory; }
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }

protected:
    TCustomMemoryStream() = default;
    void SetPointer(const uint8_t* memory, int64_t size);
    int64_t FPosition = 0;

private:
    const uint8_t* FMemory = nullptr;
    int64_t FSize = 0;
};

// A growable stream in memory.
class TMemoryStream : public TCustomMemoryStream {
    VMR_CLASS(TMemoryStream, TCustomMemoryStream)

public:
    TMemoryStream() = default;
    uint8_t* Memory() { return FData.data(); }
    int64_t Write(const void* buffer, int64_t count) override;
    void SetSize(int64_t size) override;
    void Clear();
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<uint8_t> FData;
};
