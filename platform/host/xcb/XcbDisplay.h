#pragma once
#include "platform/Geometry.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The atoms the host names, interned in one round trip.
struct TXcbAtoms {
    xcb_atom_t WmProtocols, WmDeleteWindow, WmState, WmChangeState, WmS0, NetWmName, NetWmIcon, NetWmPid,
        NetWorkarea, NetActiveWindow, MotifWmHints, Utf8String, Clipboard, Targets, Text, ClipboardProperty;
};

struct TXcbFree {
    void operator()(void* p) const { std::free(p); }
};
// A reply or event that xcb allocated.
template <class T> using TXcbReply = std::unique_ptr<T, TXcbFree>;

// Latin-1 for properties of that type; characters past it read as question marks.
std::string Utf8ToLatin1(const std::string& utf8);

// The connection to the X server and what the host needs to know of its screen. Raises Exception, naming
// the display, when it cannot be opened or shows pixels in a form other than 0x00RRGGBB words.
class TXcbDisplay {
public:
    TXcbDisplay();
    ~TXcbDisplay();
    TXcbDisplay(const TXcbDisplay&) = delete;
    TXcbDisplay& operator=(const TXcbDisplay&) = delete;

    xcb_connection_t* Connection() const { return FConnection; }
    const xcb_screen_t& Screen() const { return *FScreen; }
    xcb_window_t Root() const { return FScreen->root; }
    const TXcbAtoms& Atoms() const { return FAtoms; }
    // Bytes one request may carry.
    size_t MaxRequestBytes() const { return FMaxRequestBytes; }

    void SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, int format,
                     const void* data, size_t count) const;
    void SetText(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const std::string& text) const;
    // The 32-bit items of a property; empty when it is missing.
    std::vector<uint32_t> Cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
    // Whether a window manager runs on this screen (it owns the screen's manager selection).
    bool HasWindowManager() const;

private:
    xcb_connection_t* FConnection = nullptr;
    const xcb_screen_t* FScreen = nullptr;
    TXcbAtoms FAtoms{};
    size_t FMaxRequestBytes = 0;
};
