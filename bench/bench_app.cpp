// The program on the headless host: start-up to the first painted frame on the sample database, a level
// button press (both queries rebuilt, lists refilled, window repainted) on a 10,000-spell catalogue, and the
// resident memory after start-up.
#include "app/UMain.h"
#include "app/Vmr.h"
#include "classlib/Application.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/TAVButton.h"
#include "tools/gencatalogue/CatalogueGenerator.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>

namespace {

namespace fs = std::filesystem;

// A working folder holding one database, current while it lives.
struct TWorkFolder {
    explicit TWorkFolder(const std::function<void(const fs::path&)>& makeDatabase) {
        std::string pattern = (fs::temp_directory_path() / "vmr-bench-app-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
        Path = pattern;
        makeDatabase(Path / "Incantesimi.mdb");
        Previous = fs::current_path();
        fs::current_path(Path);
    }
    ~TWorkFolder() {
        std::error_code ignored;
        fs::current_path(Previous, ignored);
        fs::remove_all(Path, ignored);
    }
    fs::path Path, Previous;
};

// Kilobytes of resident memory of this process.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return 0;
}

void CopySample(const fs::path& target) { fs::copy_file(VMR_SAMPLE_DATABASE, target); }

struct TRunningProgram {
    explicit TRunningProgram(THeadlessHost& host) {
        InitWindowSystem(host);
        CreateVmrWindows();
        Application->Run();
        RunUntilIdle();
    }
    ~TRunningProgram() {
        delete Application;
        ShutdownWindowSystem();
    }
};

void BM_StartUpToFirstFrame(benchmark::State& state) {
    RegisterVmrClasses();
    TWorkFolder folder(CopySample);
    for (auto _ : state) {
        THeadlessHost host;
        TRunningProgram program(host);
        benchmark::DoNotOptimize(host.ScreenPixel({300, 300}));
        state.PauseTiming();
        state.counters["RSS_MB"] = double(ResidentKilobytes()) / 1024.0;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_LevelButtonPress(benchmark::State& state) {
    RegisterVmrClasses();
    TWorkFolder folder([](const fs::path& file) { WriteCatalogue(file, 10000, 1); });
    THeadlessHost host;
    TRunningProgram program(host);
    bool three = false;
    for (auto _ : state) {
        three = !three;
        TtavButton* button = three ? FrmMain->Btt3 : FrmMain->Btt4;
        host.Click(button->ClientToScreen({button->Width() / 2, button->Height() / 2}));
        RunUntilIdle();
    }
}
BENCHMARK(BM_LevelButtonPress)->Unit(benchmark::kMillisecond);

} // namespace
