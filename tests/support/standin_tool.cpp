// Test helper: a stand-in for a program that Korvane runs, whose behaviour a test chooses. It
// follows the steps in `standin.txt` beside it, one a line: a verb, a blank, and the rest of the
// line as its argument, in which `{1}` stands for the stand-in's first argument and `{dir}` for
// that argument's folder:
//   pid FILE            appends this process's id and a newline to FILE
//   touch FILE          creates FILE, empty
//   wait FILE           waits until FILE exists
//   run PROGRAM         runs PROGRAM with the stand-in's own arguments; its exit code becomes ours
//   halve FILE          cuts FILE to half its length
//   repack HOW PROGRAM  packs {1} changed by HOW (byte40: byte 40 becomes 'x'; shorter: the last
//                       byte dropped; longer: a NUL byte added) with PROGRAM into {1}.zlib
//   child FILE          starts a copy of this program that never ends; appends its id to FILE
//   say TEXT            writes TEXT and a newline to standard error
//   scribble COUNT      writes COUNT letters x to standard error
//   exit CODE           ends with CODE
//   crash               ends the way a crashed program ends
//   hang                never ends (it is stopped from outside)
// After the last step it ends with the last run's exit code, or 0. A step that fails ends it
// with code 125 and a message on standard error.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "fileops/file_ops.h"
#include "files.h"

#ifdef _WIN32
#include "windows_command_line.h"

#include <windows.h>
#else
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace fs = std::filesystem;

namespace {

constexpr int kStepFailed = 125;
const char* const kHangArgument = "--standin-hang"; // the argument a child copy is started with

std::vector<std::string> arguments; // this program's own arguments (UTF-8), without its name

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "standin_tool: %s\n", what.c_str());
    std::exit(kStepFailed);
}

[[noreturn]] void hang() {
    std::this_thread::sleep_for(std::chrono::minutes(10));
    std::exit(1);
}

long ownId() {
#ifdef _WIN32
    return static_cast<long>(GetCurrentProcessId());
#else
    return static_cast<long>(getpid());
#endif
}

fs::path ownPath() {
#ifdef _WIN32
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
#else
    return fs::read_symlink("/proc/self/exe");
#endif
}

// Starts `program` with `args`; returns its process id, or fails the step. `wait`: waits for its
// end and returns its exit code instead.
long start(const fs::path& program, const std::vector<std::string>& args, bool wait) {
#ifdef _WIN32
    std::wstring line = windowsQuoted(program.wstring());
    for (const std::string& arg : args)
        line += L" " + windowsQuoted(fs::u8path(arg).wstring());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        fail("cannot start " + program.u8string());
    CloseHandle(process.hThread);
    DWORD code = process.dwProcessId;
    if (wait) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
#else
    std::vector<std::string> strings{program.string()};
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        fail("cannot start " + program.string());
    if (!wait)
        return static_cast<long>(pid);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        fail("lost " + program.string());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
}

using testsupport::readFile;
using testsupport::writeFile;

[[noreturn]] void crash() {
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), EXCEPTION_ACCESS_VIOLATION); // a crash's exit code
#else
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
#endif
    std::abort();
}

// `field` with {1} and {dir} replaced.
fs::path expand(std::string field) {
    const std::string first = arguments.empty() ? std::string() : arguments[0];
    const std::string dir = fs::u8path(first).parent_path().u8string();
    for (const auto& [name, value] :
         {std::pair{std::string("{1}"), first}, std::pair{std::string("{dir}"), dir}})
        for (std::size_t at = field.find(name); at != std::string::npos;
             at = field.find(name, at + value.size()))
            field.replace(at, name.size(), value);
    return fs::u8path(field);
}

std::string repacked(std::string bytes, const std::string& how) {
    if (how == "byte40" && bytes.size() > 40)
        bytes[40] = 'x';
    else if (how == "shorter" && !bytes.empty())
        bytes.pop_back();
    else if (how == "longer")
        bytes.push_back('\0');
    else
        fail("cannot change the table by " + how);
    return bytes;
}

// Follows the step `verb` with its argument `arg`; `code` is the exit code so far.
void follow(const std::string& verb, const std::string& arg, int& code) {
    if (verb == "pid") {
        writeFile(expand(arg), std::to_string(ownId()) + "\n", true);
    } else if (verb == "touch") {
        writeFile(expand(arg), std::string());
    } else if (verb == "wait") {
        while (!fs::exists(expand(arg)))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } else if (verb == "run") {
        code = static_cast<int>(start(expand(arg), arguments, true));
    } else if (verb == "halve") {
        const fs::path file = expand(arg);
        writeFile(file, readFile(file).substr(0, fs::file_size(file) / 2));
    } else if (verb == "repack") {
        const std::size_t blank = arg.find(' ');
        const fs::path changed = expand("{1}.o");
        writeFile(changed, repacked(readFile(expand("{1}")), arg.substr(0, blank)));
        if (blank == std::string::npos ||
            start(expand(arg.substr(blank + 1)), {changed.u8string()}, true) != 0)
            fail("the packing failed");
        fs::rename(expand("{1}.o.zlib"), expand("{1}.zlib"));
        fs::remove(changed);
    } else if (verb == "child") {
        writeFile(expand(arg), std::to_string(start(ownPath(), {kHangArgument}, false)) + "\n",
                  true);
    } else if (verb == "say") {
        std::fprintf(stderr, "%s\n", arg.c_str());
    } else if (verb == "scribble") {
        std::fputs(std::string(std::stoul(arg), 'x').c_str(), stderr);
    } else if (verb == "exit") {
        std::exit(std::atoi(arg.c_str()));
    } else if (verb == "crash") {
        crash();
    } else if (verb == "hang") {
        hang();
    } else {
        fail("unknown step " + verb);
    }
}

int run() try {
    if (!arguments.empty() && arguments[0] == kHangArgument)
        hang();
    std::istringstream steps(readFile(ownPath().parent_path() / "standin.txt"));
    int code = 0;
    for (std::string line; std::getline(steps, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t blank = line.find(' ');
        follow(line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1),
               code);
    }
    return code;
} catch (const std::runtime_error& e) { // a file that cannot be read or written, among them
    fail(e.what());
}

} // namespace

int main(int argc, char* argv[]) {
    arguments = fileops::arguments(argc, argv);
    return run();
}
