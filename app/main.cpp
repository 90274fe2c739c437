#include "app/Vmr.h"
#include "platform/FontEngine.h"
#include "platform/MessageLoop.h"
#include "platform/host/xcb/XcbHost.h"

#include <cstdio>
#include <exception>

namespace {

// The windows go before the host they are shown on, also when the display is lost while the program runs.
class TWindowSystemScope {
  public:
    explicit TWindowSystemScope(THost& host) { InitWindowSystem(host); }
    ~TWindowSystemScope() { ShutdownWindowSystem(); }
    TWindowSystemScope(const TWindowSystemScope&) = delete;
    TWindowSystemScope& operator=(const TWindowSystemScope&) = delete;
};

} // namespace

int main() {
    try {
        // Its font configuration loads, and the faces of the main window's fonts are matched, while the display
        // is opened and layouts read.
        TFontEngine::Instance({{"MS Sans Serif"}, {"Tahoma"}, {"MS Sans Serif", true}, {"Tahoma", true},
                               {"Monotype Corsiva", false, true}});
        TXcbHost host;
        const TWindowSystemScope windows(host);
        return RunVmr();
    } catch (const std::exception& e) {
        // Only a display that cannot be opened, or one lost, gets here: there is no window to show the error in.
        std::fprintf(stderr, "vmr: %s\n", e.what());
        return 1;
    }
}
