#include "failing_writes.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testsupport {

int runWhileWritesFail(const FailingWrites& writes, const std::function<int()>& step,
                       [[maybe_unused]] const std::function<void()>& meanwhile) {
#ifdef _WIN32
    if (writes.file.empty())
        return step();
    const HANDLE held =
        CreateFileW(writes.file.c_str(), GENERIC_READ, writes.readable ? FILE_SHARE_READ : 0,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return -1;
    const int result = step();
    CloseHandle(held);
    return result;
#else
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const auto startLimit = [bytes = writes.sizeLimit] {
            const rlimit limit{bytes, bytes};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                std::raise(SIGKILL); // reported as a step that did not end normally
        };
        if (!writes.file.empty())
            writes.deferLimit ? writes.deferLimit(startLimit) : startLimit();
        _exit(step());
    }
    if (child > 0 && meanwhile)
        meanwhile();
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
#endif
}

int runWhileReplacingFails(const std::filesystem::path& file, const std::function<int()>& step) {
#ifdef _WIN32
    FailingWrites writes;
    writes.file = file;
    writes.readable = true;
    return runWhileWritesFail(writes, step);
#else
    namespace fs = std::filesystem;
    const fs::path folder = file.parent_path();
    std::error_code error;
    const fs::perms before = fs::status(folder, error).permissions();
    if (geteuid() != 0 || error)
        return -1;
    fs::permissions(folder, fs::perms::all | fs::perms::sticky_bit, error);
    // Writable by all, so that nothing refuses it as read-only; only the rename fails.
    fs::permissions(file,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::group_write | fs::perms::others_read | fs::perms::others_write,
                    fs::perm_options::add, error);
    const pid_t child = error ? -1 : fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        _exit(setgid(kNobody) == 0 && setuid(kNobody) == 0 ? step() : 255);
    }
    int status = 0;
    const bool ended = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
    fs::permissions(folder, before, error);
    return ended && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace testsupport
