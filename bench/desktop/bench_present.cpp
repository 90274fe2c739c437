// What a present of 312 KB in 20 rectangles costs the program, with its pixels going through shared
// memory or through the socket, on a virtual X server of its own: CPU time is the program's, real time
// also the server's (each iteration waits until the server has carried the present out).
#include "XvfbServer.h"

#include "platform/host/xcb/XcbHost.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using TRoute = TXcbUploads::TRoute;

// Twenty rows of a list, 300 pixels wide and 13 high with gaps between them: 20 rectangles, 312 KB.
TRegion ListRows() {
    TRegion rows;
    for (int i = 0; i < 20; ++i) rows |= TRegion(Bounds(20, 100 + i * 20, 300, 13));
    return rows;
}

void BM_Present(benchmark::State& state) {
    TXvfbServer server(1280, 1024);
    if (!server.Running()) {
        state.SkipWithError(server.Failure().c_str());
        return;
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
    TXcbHost host(TRoute(state.range(0)));
    const TRect place = Bounds(100, 100, 700, 560);
    const std::unique_ptr<THostSurface> surface = host.CreateSurface(TSurfaceKind::Borderless, place);
    surface->Show(false);
    TSurface buffer(place.Width(), place.Height(), 0x336699);
    surface->Present(buffer, TRegion(buffer.BoundsRect()));
    const TRegion rows = ListRows();
    for (auto _ : state) {
        surface->Present(buffer, rows);
        host.Sync();
        while (host.WaitEvent(host.Now()).Kind != THostEvent::TKind::None) {
        }
    }
    state.SetLabel(host.Uploads().ThroughSharedMemory() ? "shared memory" : "socket");
}
BENCHMARK(BM_Present)->Arg(int(TRoute::SharedMemoryWhereItWorks))->Arg(int(TRoute::Socket))->Unit(benchmark::kMicrosecond);

} // namespace
