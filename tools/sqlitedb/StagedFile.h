#pragma once

#include <filesystem>

// A file written under a temporary name beside its target and renamed onto it only when complete, so a
// failed run never leaves a half-written target. An existing target is replaced only when asked.
class StagedFile {
public:
    enum class TExisting { Refuse, Replace };

    StagedFile(std::filesystem::path target, TExisting existing);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    // Where to write meanwhile.
    const std::filesystem::path& TemporaryPath() const { return FTemporary; }
    // Moves the finished file onto the target.
    void Commit();

private:
    void CheckTarget() const;

    std::filesystem::path FTarget;
    std::filesystem::path FTemporary;
    TExisting FExisting;
    bool FCommitted = false;
};
