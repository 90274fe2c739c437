// What a present of 312 KB in 20 rectangles costs the program, with its pixels going through shared
// memory or through the socket, on a virtual X server of its own. Only the present is timed; between two the
// server carries it out and the loop takes in what the server said, as between two clicks.
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
        state.PauseTiming();
        host.Sync();
        while (host.WaitEvent(host.Now()).Kind != THostEvent::TKind::None) {
        }
        state.ResumeTiming();
    }
    state.SetLabel(host.Uploads().ThroughSharedMemory() ? "shared memory" : "socket");
}
BENCHMARK(BM_Present)->Arg(int(TRoute::SharedMemoryWhereItWorks))->Arg(int(TRoute::Socket))->Unit(benchmark::kMicrosecond);

} // namespace
