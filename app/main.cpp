#include "app/Vmr.h"
#include "platform/FontEngine.h"
#include "platform/MessageLoop.h"
#include "platform/host/xcb/XcbHost.h"

#include <cstdio>
#include <exception>

int main() {
    try {
        TFontEngine::Instance(); // its font configuration loads while the display is opened and layouts read
        TXcbHost host;
        InitWindowSystem(host);
        const int status = RunVmr();
        ShutdownWindowSystem();
        return status;
    } catch (const std::exception& e) {
        // Only a display that cannot be opened gets here: there is no window to show the error in.
        std::fprintf(stderr, "vmr: %s\n", e.what());
        return 1;
    }
}
