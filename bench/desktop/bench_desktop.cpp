// The program as a user on an X desktop meets it, against two references that show the same window (one
// written with FLTK, one with plain Xlib), in one run on a virtual X server of its own: from exec to the
// window mapped and to its complete first picture (read back from the screen until it equals the settled
// picture), the distinct pictures shown on the way, the proportional set size a second later, and a click on
// the spell list to the last pixel that changed. Runs alternate between the three programs; medians and the
// ratios of the program to each reference are printed. Meant for a Release build.
#include "XScreen.h"
#include "XvfbServer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The middle of the fourth row of the spell list, in window coordinates (the references have their lists
// there), and of the seventh, for a second click.
constexpr TPoint ClickPoint{54, 123 + 3 * 13 + 6};
constexpr TPoint SecondClickPoint{54, 123 + 6 * 13 + 6};
constexpr auto SettledAfter = 600ms;

double MsBetween(TClock::time_point from, TClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct TSample {
    double Mapped = NAN, Complete = NAN, Frames = NAN, PssMiB = NAN, Click = NAN, ClickFrames = NAN;
};

// The program started in `folder` on `display`; killed when this goes.
class TChild {
public:
    TChild(const std::string& program, const fs::path& folder, const std::string& display) {
        FPid = fork();
        if (FPid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(126);
            setenv("DISPLAY", display.c_str(), 1);
            if (!freopen("/dev/null", "w", stderr)) _exit(126);
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~TChild() {
        if (FPid <= 0) return;
        kill(FPid, SIGKILL);
        waitpid(FPid, nullptr, 0);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;
    pid_t Pid() const { return FPid; }

private:
    pid_t FPid = -1;
};

double PssMiB(pid_t pid) {
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(rollup, line);)
        if (line.starts_with("Pss:")) return std::stod(line.substr(4)) / 1024.0;
    return NAN;
}

// The pictures `area` shows, sampled as fast as the server answers, until none changed for SettledAfter.
struct TPictures {
    std::vector<std::pair<TClock::time_point, uint64_t>> Changes; // each new picture and when it was seen

    static TPictures Watch(const TXScreen& screen, const TRect& area, std::optional<uint64_t> before) {
        TPictures result;
        std::optional<uint64_t> last = before;
        auto lastChange = TClock::now();
        const auto limit = lastChange + 10s;
        for (auto now = lastChange; now - lastChange < SettledAfter && now < limit; now = TClock::now()) {
            const uint64_t picture = screen.Fingerprint(area);
            if (picture == last) continue;
            last = picture;
            lastChange = TClock::now();
            result.Changes.emplace_back(lastChange, picture);
        }
        return result;
    }
    // When the settled picture first showed, and how many pictures showed up to then.
    std::optional<std::pair<TClock::time_point, int>> FirstSettled() const {
        if (Changes.empty()) return std::nullopt;
        const uint64_t settled = Changes.back().second;
        for (size_t i = 0; i < Changes.size(); ++i)
            if (Changes[i].second == settled) return std::pair{Changes[i].first, int(i + 1)};
        return std::nullopt;
    }
};

TSample MeasureOnce(const std::string& program, const fs::path& folder, const std::string& display) {
    TSample sample;
    TXScreen screen(display);
    screen.WatchTopLevelMaps();
    const auto start = TClock::now();
    TChild child(program, folder, display);
    const std::optional<TRect> window = screen.WaitForMappedWindow(200, 20s);
    if (!window) return sample;
    const auto mapped = TClock::now();
    sample.Mapped = MsBetween(start, mapped);
    const TPictures startUp = TPictures::Watch(screen, *window, std::nullopt);
    const auto settled = startUp.FirstSettled();
    if (!settled) return sample;
    sample.Complete = MsBetween(start, settled->first);
    sample.Frames = settled->second;
    std::this_thread::sleep_until(settled->first + 1s);
    sample.PssMiB = PssMiB(child.Pid());

    // Reading the window back as it changes counts the pictures a click shows, but each read takes the server
    // a few milliseconds: the time to the last change is taken on a second click from the server's own
    // reports of drawing.
    const uint64_t before = screen.Fingerprint(*window);
    screen.Click(window->TopLeft() + ClickPoint);
    sample.ClickFrames = double(TPictures::Watch(screen, *window, before).Changes.size());
    TClock::time_point clicked;
    const TPoint second = window->TopLeft() + SecondClickPoint;
    const auto drawn = screen.DrawingTimes(
        second,
        [&] {
            clicked = TClock::now();
            screen.Click(second);
        },
        SettledAfter, 10s);
    if (!drawn.empty()) sample.Click = MsBetween(clicked, drawn.back());
    return sample;
}

double Median(std::vector<double> values) {
    std::erase_if(values, [](double v) { return std::isnan(v); });
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The programs measured, in the order they run within each round and show in the table; the first is the
// program, the others the references it is compared with.
struct TSubject {
    const char* Name;  // in the progress lines and the table's columns
    const char* Short; // in the ratios' columns
    std::string Path;
    std::vector<TSample> Samples;
};

void PrintRow(const char* label, const std::vector<TSubject>& subjects, double TSample::*field,
              const char* format) {
    std::vector<double> medians;
    for (const TSubject& subject : subjects) {
        std::vector<double> values;
        for (const TSample& s : subject.Samples) values.push_back(s.*field);
        medians.push_back(Median(values));
    }
    std::printf("| %-40s |", label);
    for (const double median : medians) {
        char cell[32];
        std::snprintf(cell, sizeof cell, format, median);
        std::printf(" %12s |", cell);
    }
    for (size_t i = 1; i < medians.size(); ++i) std::printf(" %9.2f |", medians[0] / medians[i]);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    std::vector<TSubject> subjects{{"vmr", "vmr", VMR_PROGRAM, {}},
                                   {"FLTK ref.", "FLTK", FLTK_REFERENCE, {}},
                                   {"Xlib ref.", "Xlib", XLIB_REFERENCE, {}}};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--program" && i + 1 < argc) subjects[0].Path = argv[++i];
        else if (arg == "--fltk" && i + 1 < argc) subjects[1].Path = argv[++i];
        else if (arg == "--reference" && i + 1 < argc) subjects[2].Path = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--program PATH] [--fltk PATH] [--reference PATH]\n"
                                 "  --fltk names the FLTK reference, --reference the plain Xlib one\n",
                         argv[0]);
            return 2;
        }
    }
    if (std::string(VMR_BUILD_TYPE) != "Release")
        std::fprintf(stderr, "note: built as %s; the numbers that count come from a Release build\n", VMR_BUILD_TYPE);
    TXvfbServer server(1280, 1024);
    if (!server.Running()) {
        std::fprintf(stderr, "Xvfb cannot start: %s\n", server.Failure().c_str());
        return 1;
    }
    const fs::path folder = fs::temp_directory_path() / ("vmr-bench-desktop-" + std::to_string(getpid()));
    fs::create_directories(folder);
    for (int run = 0; run < runs; ++run) {
        for (TSubject& subject : subjects) {
            fs::copy_file(VMR_SAMPLE_DATABASE, folder / "Incantesimi.mdb", fs::copy_options::overwrite_existing);
            const TSample s = MeasureOnce(subject.Path, folder, server.Display());
            subject.Samples.push_back(s);
            std::fprintf(stderr, "%-9s run %2d: mapped %6.1f ms, complete %6.1f ms, %2.0f frames, PSS %5.1f MiB, "
                                 "click %5.1f ms in %2.0f frames\n",
                         subject.Name, run + 1, s.Mapped, s.Complete, s.Frames, s.PssMiB, s.Click, s.ClickFrames);
        }
    }
    fs::remove_all(folder);
    std::printf("Medians of %d interleaved runs on Xvfb 1280x1024x24, no window manager\n\n", runs);
    std::printf("| %-40s |", "from exec");
    for (const TSubject& subject : subjects) std::printf(" %12s |", subject.Name);
    for (size_t i = 1; i < subjects.size(); ++i)
        std::printf(" %9s |", (std::string("vmr/") + subjects[i].Short).c_str());
    std::printf("\n|%s|", std::string(42, '-').c_str());
    for (size_t i = 0; i < subjects.size(); ++i) std::printf("%s|", std::string(14, '-').c_str());
    for (size_t i = 1; i < subjects.size(); ++i) std::printf("%s|", std::string(11, '-').c_str());
    std::printf("\n");
    PrintRow("window mapped", subjects, &TSample::Mapped, "%.1f ms");
    PrintRow("the complete first picture on screen", subjects, &TSample::Complete, "%.1f ms");
    PrintRow("pictures shown up to the complete one", subjects, &TSample::Frames, "%.0f");
    PrintRow("proportional set size 1 s later", subjects, &TSample::PssMiB, "%.1f MiB");
    PrintRow("click on a spell -> last pixel change", subjects, &TSample::Click, "%.1f ms");
    PrintRow("pictures shown for the click", subjects, &TSample::ClickFrames, "%.0f");
    return 0;
}
