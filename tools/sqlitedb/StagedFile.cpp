#include "tools/sqlitedb/StagedFile.h"

#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

StagedFile::StagedFile(fs::path target, TExisting existing)
    : FTarget(std::move(target)), FExisting(existing) {
    CheckTarget();
    FTemporary = FTarget;
    FTemporary += ".tmp" + std::to_string(::getpid());
    std::error_code ignored;
    fs::remove(FTemporary, ignored);
}

StagedFile::~StagedFile() {
    if (FCommitted) return;
    std::error_code ignored;
    fs::remove(FTemporary, ignored);
}

void StagedFile::Commit() {
    std::error_code error;
    if (FExisting == TExisting::Replace) {
        fs::rename(FTemporary, FTarget, error);
    } else {
        // A hard link fails when the target has appeared meanwhile, where a rename would replace it.
        fs::create_hard_link(FTemporary, FTarget, error);
        if (error == std::errc::file_exists) CheckTarget();
    }
    if (error)
        throw std::runtime_error("cannot move " + FTemporary.string() + " to " + FTarget.string() + ": " +
                                 error.message());
    FCommitted = true;
    if (FExisting == TExisting::Refuse) fs::remove(FTemporary, error);
}

void StagedFile::CheckTarget() const {
    if (FExisting == TExisting::Refuse && fs::exists(FTarget))
        throw std::runtime_error(FTarget.string() + " already exists; it is not overwritten");
}
