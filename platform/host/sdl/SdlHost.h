#pragma once
#include "platform/host/Host.h"
#include "platform/host/sdl/SdlWindowHandle.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

struct SDL_Cursor;
union SDL_Event;

// The host on a real display: SDL2 with its X11 driver. One at a time; its surfaces go before it does.
class TSdlHost : public THost {
public:
    // Raises Exception, naming SDL's reason, when no display can be opened.
    TSdlHost();
    ~TSdlHost() override;
    TSdlHost(const TSdlHost&) = delete;
    TSdlHost& operator=(const TSdlHost&) = delete;

    std::unique_ptr<THostSurface> CreateSurface(TSurfaceKind kind, const TRect& screenRect) override;
    TRect ScreenRect() const override;
    TRect WorkArea() const override;
    void SetCursor(THostCursor cursor) override;
    TPoint CursorPos() const override;
    void CaptureMouse(bool capture) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& utf8) override;
    uint64_t Now() const override;
    THostEvent WaitEvent(std::optional<uint64_t> deadline) override;
    void Wake() override;
    bool OpenURL(const std::string& url) override;

    // How many times WaitEvent has come back from sleeping: what an idle loop must keep low.
    uint64_t WakeUps() const { return FWakeUps.load(); }

private:
    struct TSdlVideo {
        TSdlVideo();
        ~TSdlVideo();
        TSdlVideo(const TSdlVideo&) = delete;
        TSdlVideo& operator=(const TSdlVideo&) = delete;
    };
    struct TCursorDeleter {
        void operator()(SDL_Cursor* cursor) const;
    };
    static constexpr size_t CursorCount = size_t(THostCursor::No) + 1;

    THostEvent Translate(const SDL_Event& event);
    bool SleepUntilEvent(SDL_Event& event, std::optional<uint64_t> deadline);

    TSdlVideo FVideo; // first in, last out
    TSdlWindowHandle FWakeWindow;
    std::array<std::unique_ptr<SDL_Cursor, TCursorDeleter>, CursorCount> FCursors;
    uint32_t FWakeEventType = 0;
    bool FCaptured = false;
    std::atomic<bool> FWakePending{false};
    std::atomic<uint64_t> FWakeUps{0};
};
