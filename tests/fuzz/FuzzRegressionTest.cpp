// Every kept input of every fuzz target goes through the target's entry again: a fault that a fuzzer once
// found stays mended. The program's own layouts go through the layout entries too.
#include "fuzz/FuzzEntries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzRegression : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzRegression, KeptInputsGoThroughTheirEntryAgain) {
    TFuzzEntry entry = FindFuzzEntry(GetParam());
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(fs::is_directory(VMR_FUZZ_REGRESSIONS));
    const fs::path folder = fs::path(VMR_FUZZ_REGRESSIONS) / GetParam();
    if (fs::exists(folder)) {
        for (const auto& file : fs::directory_iterator(folder)) {
            SCOPED_TRACE(file.path().string());
            entry(ReadFile(file.path()));
        }
    }
    if (GetParam() == "layout_text" || GetParam() == "form_layout")
        entry(ReadFile(fs::path(VMR_APP_LAYOUTS) / "TFRMMAIN.layout"));
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegression,
                         ::testing::Values("theme_file", "layout_text", "form_layout", "bmp", "png", "statement"),
                         [](const auto& info) { return info.param; });

} // namespace
