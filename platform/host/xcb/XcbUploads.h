#pragma once
#include "platform/Surface.h"
#include "platform/host/xcb/StagingRing.h"
#include "platform/host/xcb/XcbSharedMemory.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class TXcbDisplay;

// Brings parts of back buffers into pixmaps of the server: through memory shared with the server where the
// server offers that and it works, else through the socket. Memory the server has yet to read is never
// written. One for a connection; it must go before the connection.
class TXcbUploads {
public:
    enum class TRoute { SharedMemoryWhereItWorks, Socket };
    // Pages of the shared memory cost only once written, and uploads start over at its beginning whenever the
    // server has read everything, so it takes about as much as the largest picture in flight, up to this.
    static constexpr size_t SharedMemoryBytes = 512 * 1024;
    // `awaitServer` sends what was asked and returns once the server has answered something more, or false
    // when the connection is lost; whatever it reads must pass through TakeCompletion.
    TXcbUploads(const TXcbDisplay& display, TRoute route, std::function<bool()> awaitServer);
    TXcbUploads(const TXcbUploads&) = delete;
    TXcbUploads& operator=(const TXcbUploads&) = delete;

    // Requests that put `area` of `source` at the same place of `target`; `last` for the last area of a
    // picture, after which the server is asked to tell when it has read.
    void Upload(const TSurface& source, const TRect& area, xcb_drawable_t target, xcb_gcontext_t gc, bool last);
    // Whether `event` is the server's report that it read an upload, which is then taken in here.
    bool TakeCompletion(const xcb_generic_event_t& event);
    // Whether the pixels go through shared memory (known from the first upload on).
    bool ThroughSharedMemory() const { return FMemory != nullptr; }

private:
    void UploadShared(const TSurface& source, const TRect& area, xcb_drawable_t target, xcb_gcontext_t gc,
                      bool last);
    void UploadThroughSocket(const TSurface& source, const TRect& area, xcb_drawable_t target, xcb_gcontext_t gc);
    std::optional<size_t> Stage(size_t bytes);
    bool StartSharing();
    void StopSharing();

    const TXcbDisplay& FDisplay;
    TRoute FRoute;
    std::function<bool()> FAwaitServer;
    uint8_t FCompletionEvent = 0;
    std::unique_ptr<TXcbSharedMemory> FMemory;
    TStagingRing FRing;
    // Parts of rows side by side on their way through the socket; never cleared, as every pixel is written
    // before it is sent.
    std::unique_ptr<uint32_t[]> FRowsBuffer;
    size_t FRowsCapacity = 0;
};
