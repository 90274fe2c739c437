#include "platform/host/xcb/XcbSharedMemory.h"

#include "platform/host/xcb/XcbDisplay.h"

#include <sys/shm.h>

namespace {

// A new segment, marked for removal when this goes: by then the attachments hold it, and it goes with the
// last of them however this process ends.
class TSegmentId {
public:
    explicit TSegmentId(size_t bytes) : FId(shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600)) {}
    ~TSegmentId() {
        if (FId >= 0) shmctl(FId, IPC_RMID, nullptr);
    }
    TSegmentId(const TSegmentId&) = delete;
    TSegmentId& operator=(const TSegmentId&) = delete;
    int Id() const { return FId; }

private:
    int FId;
};

} // namespace

void TXcbSharedMemory::TUnmap::operator()(uint8_t* data) const { shmdt(data); }

TXcbSharedMemory::TXcbSharedMemory(xcb_connection_t* connection, TMapping data, size_t size, xcb_shm_seg_t segment)
    : FData(std::move(data)), FConnection(connection), FSize(size), FSegment(segment) {}

std::unique_ptr<TXcbSharedMemory> TXcbSharedMemory::Attach(xcb_connection_t* connection, size_t bytes) {
    const TSegmentId id(bytes);
    if (id.Id() < 0) return nullptr;
    void* address = shmat(id.Id(), nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) return nullptr;
    TMapping data(static_cast<uint8_t*>(address));
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    // Waited for, so that a server that cannot reach the memory says so before anything relies on it.
    const TXcbReply<xcb_generic_error_t> error(
        xcb_request_check(connection, xcb_shm_attach_checked(connection, segment, uint32_t(id.Id()), 0)));
    if (error) return nullptr;
    return std::unique_ptr<TXcbSharedMemory>(new TXcbSharedMemory(connection, std::move(data), bytes, segment));
}

TXcbSharedMemory::~TXcbSharedMemory() { xcb_shm_detach(FConnection, FSegment); }
