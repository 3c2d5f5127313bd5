#include "tool_run.h"

#include "failing_writes.h"

#include <zlib.h>

#include <cstdio>

#ifdef _WIN32
#include "windows_command_line.h"

#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// A temporary file for one of the program's streams, which the program inherits; it goes away
// when the last handle to it closes.
HANDLE streamFile() {
    static int count = 0;
    const fs::path path =
        fs::temp_directory_path() /
        ("korvane-tool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                       nullptr);
}

// What the program wrote to `file`, with the Windows line ends made "\n" when it is `text`;
// closes the file.
std::string readBack(HANDLE file, bool text) {
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.append(buffer, n);
    CloseHandle(file);
    for (std::size_t at; text && (at = bytes.find("\r\n")) != std::string::npos;)
        bytes.erase(at, 1);
    return bytes;
}
#else
std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}
#endif

} // namespace

std::string u8(const fs::path& path) {
    return path.u8string();
}

const char* onWindows(const char* windows, const char* elsewhere) {
    return kWindows ? windows : elsewhere;
}

std::string compressed(const std::string& data, int level) {
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), data.size(), level);
    out.resize(size);
    return out;
}

Outcome runProgram(const char* program, const std::vector<std::string>& args,
                   const std::string& input, const fs::path& failWritesTo) {
    Outcome outcome;
#ifdef _WIN32
    std::wstring commandLine = windowsQuoted(fs::u8path(program).wstring());
    for (const std::string& arg : args)
        commandLine += L' ' + windowsQuoted(fs::u8path(arg).wstring());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = streamFile();
    startup.hStdOutput = streamFile();
    startup.hStdError = streamFile();
    DWORD written = 0;
    WriteFile(startup.hStdInput, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    SetFilePointer(startup.hStdInput, 0, nullptr, FILE_BEGIN);
    outcome.exitCode = testsupport::runWhileWritesFail({failWritesTo}, [&] {
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &process))
            return -1;
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        const bool ended = GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return ended ? static_cast<int>(code) : -1;
    });
    CloseHandle(startup.hStdInput);
    outcome.out = readBack(startup.hStdOutput, false);
    outcome.err = readBack(startup.hStdError, true);
#else
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    // Standard input from a file, so that neither side waits on the other; output through pipes.
    std::FILE* in = std::tmpfile();
    int outPipe[2];
    int errPipe[2];
    if (!in || std::fwrite(input.data(), 1, input.size(), in) != input.size() ||
        std::fflush(in) != 0 || pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return {};
    std::rewind(in);
    const auto run = [&] {
        dup2(fileno(in), STDIN_FILENO);
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        std::signal(SIGXFSZ, SIG_DFL); // the tool itself must turn the signal into a write error
        execv(program, argv.data());
        return 127;
    };
    const auto readOutput = [&] {
        std::fclose(in);
        close(outPipe[1]);
        close(errPipe[1]);
        outcome.out = readAll(outPipe[0]);
        outcome.err = readAll(errPipe[0]);
    };
    outcome.exitCode = testsupport::runWhileWritesFail({failWritesTo, 10}, run, readOutput);
#endif
    return outcome;
}

std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries[u8(fs::relative(entry.path(), folder))] =
            entry.is_directory() ? "<folder>" : readFile(entry.path());
    return entries;
}

fs::path ToolTest::rowFolder(const std::string& row) {
    const fs::path folder = dir_ / row;
    fs::create_directories(folder);
    return folder;
}
