// The spell book of a 300-spell selection: laying it out and writing its PDF (per page), and drawing one page
// for the preview at 100 %.
#include "tests/report/SpellBookLayout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace spellbook;

namespace {

// 300 spells over the ten levels, as a full catalogue's selection would be.
std::vector<TSpell> Selection() {
    std::vector<TSpell> spells;
    for (int level = 0; level < 10; ++level) {
        const std::vector<TSpell> section = Spells(std::to_string(level), 30);
        spells.insert(spells.end(), section.begin(), section.end());
    }
    return spells;
}

TReportDocument SpellBook() {
    TSpellRows rows(Selection());
    return LayoutReport(Layout(rows), rows);
}

void PerPage(benchmark::State& state, size_t pages) {
    state.counters["pages"] = double(pages);
    state.counters["per_page"] = benchmark::Counter(
        double(pages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GenerateAndWritePdf(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vmr-bench-" + std::to_string(getpid()) + ".pdf"))
            .string();
    size_t pages = 0;
    for (auto _ : state) {
        const TReportDocument book = SpellBook();
        TPageRenderer::WritePdf(book, path);
        pages = book.Pages.size();
    }
    std::filesystem::remove(path);
    PerPage(state, pages);
}
BENCHMARK(BM_GenerateAndWritePdf)->Unit(benchmark::kMillisecond);

void BM_Generate(benchmark::State& state) {
    size_t pages = 0;
    for (auto _ : state)
        pages = SpellBook().Pages.size();
    PerPage(state, pages);
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond);

void BM_RenderPageAt100Percent(benchmark::State& state) {
    const TReportDocument book = SpellBook();
    TSurface surface;
    for (auto _ : state) {
        TPageRenderer::RenderPage(book, 0, TPageRenderer::ScreenDpi, surface);
        benchmark::DoNotOptimize(surface.Data());
    }
}
BENCHMARK(BM_RenderPageAt100Percent)->Unit(benchmark::kMillisecond);

} // namespace
