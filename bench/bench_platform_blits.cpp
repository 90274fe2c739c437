#include "platform/DC.h"
#include "platform/NativeImageList.h"

#include <benchmark/benchmark.h>

// The drawing half of a window repaint: a 700 x 560 back buffer filled, then 50 bitmaps put on it (plain,
// key-coloured, masked through an image list and stretched), under a clip of two rectangles.
static void BM_RepaintFillAndBlits(benchmark::State& state) {
    TSurface buffer(700, 560);
    TSurface tile(32, 24, 0x336699);
    for (int x = 0; x < 32; ++x)
        tile.SetPixel(x, x % 24, 0xFF00FF);
    TNativeImageList icons(16, 16);
    icons.AddMasked(TSurface(64, 16, 0x20A040), TColor(0xFF00FF));
    TDC dc(buffer);
    TRegion clip(Rect(0, 0, 700, 300));
    clip |= TRegion(Rect(0, 320, 700, 560));
    for (auto _ : state) {
        TDCStateSaver saver(dc);
        dc.SelectClipRgn(&clip);
        dc.FillRect(Rect(0, 0, 700, 560), TBrushDesc::SolidColor(clBtnFace));
        for (int i = 0; i < 50; ++i) {
            const int x = (i * 97) % 660, y = (i * 53) % 530;
            switch (i % 4) {
            case 0:
                dc.BitBlt(x, y, 32, 24, tile, 0, 0);
                break;
            case 1:
                dc.TransparentBlt(Bounds(x, y, 32, 24), tile, tile.BoundsRect(), TColor(0xFF00FF));
                break;
            case 2:
                icons.Draw(dc, i % 4, x, y);
                break;
            case 3:
                dc.StretchBlt(Bounds(x, y, 40, 30), tile, tile.BoundsRect());
                break;
            }
        }
        benchmark::DoNotOptimize(buffer.Data());
    }
}
BENCHMARK(BM_RepaintFillAndBlits)->Unit(benchmark::kMicrosecond);
