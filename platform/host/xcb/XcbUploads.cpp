#include "platform/host/xcb/XcbUploads.h"

#include "platform/host/xcb/XcbDisplay.h"

#include <algorithm>
#include <cstring>
#include <sys/socket.h>

namespace {

// Several pieces fit, so that the server can read one while the next is written.
constexpr size_t SharedPieceBytes = TXcbUploads::SharedMemoryBytes / 4;
// Parts of rows go through the socket in pieces of bounded size; whole rows straight from the back buffer.
constexpr size_t SocketPieceBytes = 64 * 1024;

// The server shares memory only with programs on its own machine, which reach it through a local socket.
bool OnTheServersMachine(xcb_connection_t* connection) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return getsockname(xcb_get_file_descriptor(connection), reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

// `area` in bands of as many rows as fit in `pieceBytes` (at least one), top to bottom.
template <class TPut> void ForEachPiece(const TRect& area, size_t pieceBytes, TPut put) {
    const int rows = int(std::max<size_t>(1, pieceBytes / (size_t(area.Width()) * 4)));
    for (int top = area.Top; top < area.Bottom; top += rows)
        put(Rect(area.Left, top, area.Right, std::min(top + rows, area.Bottom)));
}

size_t Bytes(const TRect& area) { return size_t(area.Width()) * size_t(area.Height()) * 4; }

// The rows of `area` side by side at `to`.
void CopyRows(const TSurface& source, const TRect& area, uint8_t* to) {
    const size_t rowBytes = size_t(area.Width()) * 4;
    for (int y = area.Top; y < area.Bottom; ++y, to += rowBytes)
        std::memcpy(to, source.Row(y) + area.Left, rowBytes);
}

} // namespace

TXcbUploads::TXcbUploads(const TXcbDisplay& display, TRoute route, std::function<bool()> awaitServer)
    : FDisplay(display), FRoute(route), FAwaitServer(std::move(awaitServer)), FRing(SharedMemoryBytes) {
    // Asked now, answered by the time the first upload needs to know.
    if (FRoute == TRoute::SharedMemoryWhereItWorks) xcb_prefetch_extension_data(FDisplay.Connection(), &xcb_shm_id);
}

void TXcbUploads::Upload(const TSurface& source, const TRect& area, xcb_drawable_t target, xcb_gcontext_t gc,
                         bool last) {
    if (area.IsEmpty()) return;
    if (FRoute == TRoute::SharedMemoryWhereItWorks)
        UploadShared(source, area, target, gc, last);
    else
        UploadThroughSocket(source, area, target, gc);
}

void TXcbUploads::UploadShared(const TSurface& source, const TRect& area, xcb_drawable_t target, xcb_gcontext_t gc,
                               bool last) {
    ForEachPiece(area, SharedPieceBytes, [&](const TRect& piece) {
        const std::optional<size_t> offset = Stage(Bytes(piece));
        if (!offset) return UploadThroughSocket(source, piece, target, gc);
        CopyRows(source, piece, FMemory->Data() + *offset);
        // A report that the server read a piece frees every piece before it too: one at the end of a picture,
        // and one for each piece in the second half of the memory, so that a claim waiting for room always
        // has a report coming that makes it (a wrap follows such a piece).
        const bool report = (last && piece.Bottom == area.Bottom) || *offset + Bytes(piece) > SharedMemoryBytes / 2;
        xcb_shm_put_image(FDisplay.Connection(), target, gc, uint16_t(piece.Width()), uint16_t(piece.Height()), 0, 0,
                          uint16_t(piece.Width()), uint16_t(piece.Height()), int16_t(piece.Left), int16_t(piece.Top),
                          FDisplay.Screen().root_depth, XCB_IMAGE_FORMAT_Z_PIXMAP, report ? 1 : 0,
                          FMemory->Segment(), uint32_t(*offset));
    });
}

// Where `bytes` of a piece go in the shared memory, once the server has read what was there before; nothing
// when the memory cannot be shared after all, and then never again.
std::optional<size_t> TXcbUploads::Stage(size_t bytes) {
    if (FRoute == TRoute::Socket || (!FMemory && !StartSharing())) return std::nullopt;
    for (;;) {
        if (const std::optional<size_t> offset = FRing.Claim(bytes)) return offset;
        if (!FAwaitServer()) break;
    }
    StopSharing();
    return std::nullopt;
}

bool TXcbUploads::StartSharing() {
    xcb_connection_t* c = FDisplay.Connection();
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
    if (shm && shm->present && OnTheServersMachine(c)) FMemory = TXcbSharedMemory::Attach(c, SharedMemoryBytes);
    if (!FMemory) {
        StopSharing();
        return false;
    }
    FCompletionEvent = uint8_t(shm->first_event + XCB_SHM_COMPLETION);
    return true;
}

void TXcbUploads::StopSharing() {
    // The server keeps its own attachment until it has read what it was sent.
    FMemory.reset();
    FRoute = TRoute::Socket;
}

bool TXcbUploads::TakeCompletion(const xcb_generic_event_t& event) {
    if (!FCompletionEvent || (event.response_type & 0x7F) != FCompletionEvent) return false;
    const auto& completion = reinterpret_cast<const xcb_shm_completion_event_t&>(event);
    if (FMemory && completion.shmseg == FMemory->Segment()) FRing.Read(completion.offset);
    return true;
}

void TXcbUploads::UploadThroughSocket(const TSurface& source, const TRect& area, xcb_drawable_t target,
                                      xcb_gcontext_t gc) {
    const bool wholeRows = area.Left == 0 && area.Width() == source.Width();
    ForEachPiece(area, wholeRows ? FDisplay.MaxRequestBytes() - 64 : SocketPieceBytes, [&](const TRect& piece) {
        const uint32_t* data = source.Row(piece.Top);
        if (!wholeRows) {
            const size_t pixels = Bytes(piece) / 4;
            if (pixels > FRowsCapacity) {
                FRowsBuffer.reset(new uint32_t[pixels]);
                FRowsCapacity = pixels;
            }
            CopyRows(source, piece, reinterpret_cast<uint8_t*>(FRowsBuffer.get()));
            data = FRowsBuffer.get();
        }
        xcb_put_image(FDisplay.Connection(), XCB_IMAGE_FORMAT_Z_PIXMAP, target, gc, uint16_t(piece.Width()),
                      uint16_t(piece.Height()), int16_t(piece.Left), int16_t(piece.Top), 0,
                      FDisplay.Screen().root_depth, uint32_t(Bytes(piece)), reinterpret_cast<const uint8_t*>(data));
    });
}
