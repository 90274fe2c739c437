#pragma once
#include <xcb/shm.h>

#include <cstddef>
#include <cstdint>
#include <memory>

// Memory that this process and the X server both have attached, so that pixels reach the server without
// going through the socket. The server keeps its attachment until it has carried out every request made
// before this goes, so what it has yet to read stays there for it. It must go before the connection.
class TXcbSharedMemory {
public:
    // Nothing when the server cannot attach it (another machine, no permission, no memory).
    static std::unique_ptr<TXcbSharedMemory> Attach(xcb_connection_t* connection, size_t bytes);
    ~TXcbSharedMemory();
    TXcbSharedMemory(const TXcbSharedMemory&) = delete;
    TXcbSharedMemory& operator=(const TXcbSharedMemory&) = delete;

    uint8_t* Data() const { return FData.get(); }
    size_t Size() const { return FSize; }
    xcb_shm_seg_t Segment() const { return FSegment; }

private:
    struct TUnmap {
        void operator()(uint8_t* data) const;
    };
    using TMapping = std::unique_ptr<uint8_t, TUnmap>;
    TXcbSharedMemory(xcb_connection_t* connection, TMapping data, size_t size, xcb_shm_seg_t segment);

    TMapping FData; // ours, given up after the server's
    xcb_connection_t* FConnection;
    size_t FSize;
    xcb_shm_seg_t FSegment;
};
