#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

// A file name in the temporary folder, unique to the running test, removed afterwards.
class TTempFile {
  public:
    explicit TTempFile(const std::string& suffix) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        FPath = (std::filesystem::temp_directory_path() /
                 ("vmr-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                  std::to_string(::getpid()) + suffix))
                    .string();
    }
    ~TTempFile() { std::filesystem::remove(FPath); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    const std::string& Path() const { return FPath; }

  private:
    std::string FPath;
};

// What a command prints on its standard output.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}
