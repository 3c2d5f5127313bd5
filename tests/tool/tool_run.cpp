#include "tool_run.h"

#include <zlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

} // namespace

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string compressed(const std::string& data, int level) {
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), data.size(), level);
    out.resize(size);
    return out;
}

Outcome runProgram(const char* program, const std::vector<std::string>& args, rlim_t fileSizeLimit,
                   const std::string& input) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    // Standard input from a file, so that neither side waits on the other.
    std::FILE* in = std::tmpfile();
    int outPipe[2];
    int errPipe[2];
    if (!in || std::fwrite(input.data(), 1, input.size(), in) != input.size() ||
        std::fflush(in) != 0 || pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return {};
    std::rewind(in);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fileno(in), STDIN_FILENO);
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        signal(SIGXFSZ, SIG_DFL); // the tool itself must turn the signal into a write error
        if (setrlimit(RLIMIT_FSIZE, &limit) == 0)
            execv(program, argv.data());
        _exit(127);
    }
    std::fclose(in);
    close(outPipe[1]);
    close(errPipe[1]);
    Outcome outcome;
    outcome.out = readAll(outPipe[0]);
    outcome.err = readAll(errPipe[0]);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries[fs::relative(entry.path(), folder).string()] =
            entry.is_directory() ? "<folder>" : readFile(entry.path());
    return entries;
}

void ToolTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "korvane-tool-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
}

void ToolTest::TearDown() {
    fs::remove_all(dir_);
}

fs::path ToolTest::rowFolder(const std::string& row) {
    const fs::path folder = dir_ / row;
    fs::create_directories(folder);
    return folder;
}
