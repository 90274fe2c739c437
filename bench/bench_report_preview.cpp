// The preview window showing a page of a 300-spell spell book at 100 %: rendering a page not yet shown and
// painting it into the window.
#include "tests/report/SpellBookLayout.h"

#include "classlib/Application.h"
#include "platform/MessageLoop.h"
#include "platform/host/headless/HeadlessHost.h"
#include "report/QRPageView.h"
#include "report/QRPreview.h"

#include <benchmark/benchmark.h>

using namespace spellbook;

namespace {

TReportDocument SpellBook() {
    std::vector<TSpell> spells;
    for (int level = 0; level < 10; ++level) {
        const std::vector<TSpell> section = Spells(std::to_string(level), 30);
        spells.insert(spells.end(), section.begin(), section.end());
    }
    TSpellRows rows(spells);
    return LayoutReport(Layout(rows), rows);
}

void BM_PreviewShowsANewPageAt100Percent(benchmark::State& state) {
    THeadlessHost host;
    InitWindowSystem(host);
    NewComponent<TApplication>(nullptr);
    {
        std::unique_ptr<TQRPreview> preview(NewComponent<TQRPreview>(Application));
        preview->SetDocument(SpellBook());
        preview->Show();
        RunUntilIdle();
        TQRPageView* view = preview->PageView();
        view->SetZoom(100);
        const size_t pages = view->PageCount();
        size_t page = 0;
        // More pages than the cache keeps, so that every page shown is rendered afresh.
        for (auto _ : state) {
            page = (page + 1) % pages;
            preview->GoToPage(page);
            view->Update();
        }
        state.counters["renders"] = double(view->RenderCount());
        state.counters["pages"] = double(pages);
    }
    delete Application;
    ShutdownWindowSystem();
}
BENCHMARK(BM_PreviewShowsANewPageAt100Percent)->Unit(benchmark::kMillisecond);

} // namespace
