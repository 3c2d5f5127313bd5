// Running a test step while writing fails, to show what a failed write leaves behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

namespace testsupport {

struct FailingWrites {
    std::filesystem::path file;   // the file whose writing fails; empty: no write fails
    std::uintmax_t sizeLimit = 0; // POSIX: the size in bytes past which no file grows
    bool readable = false;        // Windows: `file` can still be read meanwhile
    // POSIX: when set, called with what starts the limit, to start it after the step has begun
    // (from its event loop, say) rather than before.
    std::function<void(const std::function<void()>&)> deferLimit = nullptr;
};

// Runs `step` while writes fail as `writes` says; returns its result, or -1 when the writes could
// not be made to fail or the step did not end normally. POSIX: the step runs in a forked child
// that ignores SIGXFSZ (a write past the limit fails with EFBIG) and exits with the step's result,
// while `meanwhile` runs here. Windows: the step runs here while `file` is held open with no
// sharing, so that nothing can replace or remove it, nor read it unless `readable`.
int runWhileWritesFail(const FailingWrites& writes, const std::function<int()>& step,
                       const std::function<void()>& meanwhile = {});

// Runs `step` while `file` can be read and copied, and files written beside it, but it cannot be
// replaced: a replace that made its backup first then fails at the rename. Returns the step's
// result, or -1 when that cannot be arranged or the step did not end normally. POSIX: needs root;
// the step runs in a forked child as the user nobody, `file` writable by all, its folder open to
// all and sticky meanwhile (so that nobody may not rename over root's file); whatever else the
// step writes must be open to all too. Windows: `file` is held open for reading alone.
int runWhileReplacingFails(const std::filesystem::path& file, const std::function<int()>& step);

} // namespace testsupport
