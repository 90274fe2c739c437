// A full repaint of a main-window-sized back buffer: background, 50 small
// bitmaps, 130 short texts.
#include "platform/DC.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int Width = 700, Height = 560;

const char *const Words[] = {"Incantesimo", "Livello",     "Scuola",
                             "Evocazione",  "Componenti",  "Durata",
                             "Raggio",      "Bersaglio",   "Tiro salvezza",
                             "Resistenza",  "Abiurazione", "Mago"};

// Runs of 8 to 20 characters, the lengths of captions, labels and grid cells.
std::vector<std::string> TextRuns() {
  std::vector<std::string> runs;
  for (int i = 0; i < 130; ++i) {
    std::string run = std::string(Words[i % 12]) + " " + std::to_string(i);
    run.resize(8 + i % 13, '.');
    runs.push_back(run);
  }
  return runs;
}

// A strip of 24 x 24 images, as the skin's style bitmaps hold them.
TSurface ImageStrip() {
  TSurface strip(24 * 10, 24);
  for (int y = 0; y < strip.Height(); ++y)
    for (int x = 0; x < strip.Width(); ++x)
      strip.SetPixel(x, y, TPixel(x * 0x010203 + y * 0x030201) & 0xFFFFFF);
  return strip;
}

void BM_RepaintMainWindow(benchmark::State &state) {
  TSurface surface(Width, Height);
  const TSurface strip = ImageStrip();
  const std::vector<std::string> runs = TextRuns();
  TFontDesc font;
  font.Name = "MS Sans Serif";
  font.Height = -11;
  for (auto _ : state) {
    TDC dc(surface);
    dc.FillRect(Rect(0, 0, Width, Height), TBrushDesc::SolidColor(clBtnFace));
    for (int i = 0; i < 50; ++i)
      dc.BitBlt(10 + (i % 25) * 27, 10 + (i / 25) * 30, 24, 24, strip,
                (i % 10) * 24, 0);
    dc.SetFont(font);
    dc.SetBkMode(TBkMode::Transparent);
    dc.SetTextColor(clWindowText);
    for (int i = 0; i < 130; ++i) {
      const int x = 10 + (i % 5) * 136, y = 80 + (i / 5) * 18;
      // Half as plain runs, half laid out in a cell the way labels and grid
      // cells are.
      if (i % 2 == 0) {
        dc.TextOut(x, y, runs[i]);
      } else {
        TRect cell = Bounds(x, y, 130, 16);
        dc.DrawText(runs[i], cell,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
      }
    }
    benchmark::DoNotOptimize(surface.Data());
    benchmark::ClobberMemory();
  }
}
// The texts alone, on a window background: what a click on a spell spends most of its drawing on.
void BM_DrawTexts(benchmark::State &state) {
  TSurface surface(Width, Height);
  const std::vector<std::string> runs = TextRuns();
  TFontDesc font;
  font.Name = "MS Sans Serif";
  font.Height = -11;
  TDC(surface).FillRect(Rect(0, 0, Width, Height),
                        TBrushDesc::SolidColor(clWindow));
  for (auto _ : state) {
    TDC dc(surface);
    dc.SetFont(font);
    dc.SetBkMode(TBkMode::Transparent);
    dc.SetTextColor(clWindowText);
    for (int i = 0; i < 130; ++i)
      dc.TextOut(10 + (i % 5) * 136, 80 + (i / 5) * 18, runs[i]);
    benchmark::DoNotOptimize(surface.Data());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_RepaintMainWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTexts)->Unit(benchmark::kMicrosecond);

} // namespace
