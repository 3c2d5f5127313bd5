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

} // namespace testsupport
