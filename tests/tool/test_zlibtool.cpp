// zlibtool run as a program: round trips, damaged streams, I/O faults, arguments and file names.
// Every failure must leave the folder exactly as it was.
#include <gtest/gtest.h>

#include <zlib.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The UTF-8 text of a path, which is how the tool takes and reports names on every system.
std::string u8(const fs::path& path) {
    return path.u8string();
}

#ifdef _WIN32
constexpr bool kWindows = true;

std::wstring widen(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

// `arg` quoted so that the program's CommandLineToArgvW gives it back unchanged.
std::wstring quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'"')
            out.append(slashes + 1, L'\\');
        slashes = c == L'\\' ? slashes + 1 : 0;
        out += c;
    }
    out.append(slashes, L'\\');
    return out + L'"';
}

// A temporary file for one of the tool's outputs, which the tool inherits; it goes away when
// the last handle to it closes.
HANDLE outputFile() {
    static int count = 0;
    const fs::path path = fs::temp_directory_path() /
                          ("korvane-tool-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++count));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// What the tool wrote to `file`, with the Windows line ends made "\n"; closes the file.
std::string readBack(HANDLE file) {
    std::string text;
    char buffer[4096];
    DWORD n = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    CloseHandle(file);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

// Runs the tool with exactly these arguments. Writing `failWritesTo` fails meanwhile: the file is
// held open with no sharing, so that it cannot be replaced.
Outcome runTool(const std::vector<std::string>& args, const fs::path& failWritesTo = {}) {
    std::wstring commandLine = quoted(widen(ZLIBTOOL_PATH));
    for (const std::string& arg : args)
        commandLine += L' ' + quoted(widen(arg));
    const HANDLE held =
        failWritesTo.empty()
            ? INVALID_HANDLE_VALUE
            : CreateFileW(failWritesTo.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outputFile();
    startup.hStdError = outputFile();
    PROCESS_INFORMATION process{};
    Outcome outcome;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code))
            outcome.exitCode = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    outcome.out = readBack(startup.hStdOutput);
    outcome.err = readBack(startup.hStdError);
    return outcome;
}
#else
constexpr bool kWindows = false;

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

// Runs the tool with exactly these arguments. Writing `failWritesTo` fails meanwhile: the tool
// runs under a file-size limit of 100,000 bytes (with SIGXFSZ ignored, so that writes past it fail
// instead of killing it).
Outcome runTool(const std::vector<std::string>& args, const fs::path& failWritesTo = {}) {
    const rlim_t fileSizeLimit = failWritesTo.empty() ? RLIM_INFINITY : 100000;
    std::vector<char*> argv{const_cast<char*>(ZLIBTOOL_PATH)};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &limit) == 0)
            execv(ZLIBTOOL_PATH, argv.data());
        _exit(127);
    }
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
#endif

// The wording of an error on Windows, or elsewhere.
const char* onWindows(const char* windows, const char* elsewhere) {
    return kWindows ? windows : elsewhere;
}

// Every entry below `folder` with its contents ("<folder>" for folders), to compare before and
// after a run.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries[u8(fs::relative(entry.path(), folder))] =
            entry.is_directory() ? "<folder>" : readFile(entry.path());
    return entries;
}

std::vector<std::string> names(const fs::path& folder) {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(folder))
        result.push_back(u8(entry.path().filename()));
    std::sort(result.begin(), result.end());
    return result;
}

// A zlib stream made by zlib itself, independently of the tool.
std::string compressed(const std::string& data, int level = Z_DEFAULT_COMPRESSION) {
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), data.size(), level);
    out.resize(size);
    return out;
}

std::string randomBytes(std::size_t size) {
    std::mt19937 generator(20240601);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator());
    return bytes;
}

std::string repeatedText(std::size_t size) {
    const std::string phrase = "Vortex Strike;Gale Runner;Błyskawica;";
    std::string text;
    while (text.size() < size)
        text += phrase;
    text.resize(size);
    return text;
}

// An uncompressed zlib stream of exactly `size` bytes.
std::string storedStreamOfSize(std::size_t size) {
    for (std::size_t n = size;; --n) {
        const std::string stream = compressed(repeatedText(n), 0);
        if (stream.size() == size)
            return stream;
    }
}

class ZlibTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        do
            dir_ = fs::temp_directory_path() / ("korvane-tool-" + std::to_string(random()));
        while (!fs::create_directory(dir_));
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A fresh folder for one table row.
    fs::path rowFolder(const std::string& row) {
        const fs::path folder = dir_ / row;
        fs::create_directories(folder);
        return folder;
    }

    fs::path dir_;
};

TEST_F(ZlibTool, PacksIntoOneStreamAndUnpacksItBack) {
    const struct {
        const char* name;
        std::string data;
    } rows[] = {
        {"empty", ""},
        {"one_byte", "x"},
        {"small", repeatedText(1000)},
        {"exactly_one_chunk", repeatedText(1 << 16)},
        {"incompressible_3MB", randomBytes(3 << 20)},
        {"compressible_5MB", repeatedText(5 << 20)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = rowFolder(row.name);
        const fs::path in = folder / "boots.bin";
        writeFile(in, row.data);
        writeFile(folder / "boots.bin.zlib", "left by an earlier save");

        EXPECT_EQ(runTool({u8(in)}).exitCode, 0);
        const std::string packed = readFile(folder / "boots.bin.zlib");
        std::string plain(row.data.size(), '\0');
        uLongf plainSize = plain.size();
        uLong packedSize = packed.size();
        ASSERT_EQ(uncompress2(reinterpret_cast<Bytef*>(plain.data()), &plainSize,
                              reinterpret_cast<const Bytef*>(packed.data()), &packedSize),
                  Z_OK);
        EXPECT_EQ(packedSize, packed.size()) << "bytes after the stream";
        EXPECT_TRUE(plain == row.data);

        const Outcome unpacked = runTool({u8(folder / "boots.bin.zlib"), "-d"});
        EXPECT_EQ(unpacked.exitCode, 0);
        EXPECT_EQ(unpacked.out + unpacked.err, "") << "silent on success";
        EXPECT_TRUE(readFile(folder / "boots.bin.zlib.unzlib") == row.data);
        EXPECT_EQ(names(folder), (std::vector<std::string>{"boots.bin", "boots.bin.zlib",
                                                           "boots.bin.zlib.unzlib"}));
    }
}

TEST_F(ZlibTool, UnpacksStreamsOfEveryCompressionLevel) {
    const std::string data = repeatedText(200000) + randomBytes(100000);
    const struct {
        const char* name;
        int level;
    } rows[] = {{"stored", 0}, {"fastest", 1}, {"best", 9}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path in = rowFolder(row.name) / "game.bin";
        writeFile(in, compressed(data, row.level));
        EXPECT_EQ(runTool({u8(in), "-d"}).exitCode, 0);
        EXPECT_TRUE(readFile(fs::u8path(u8(in) + ".unzlib")) == data);
    }
}

TEST_F(ZlibTool, RefusesDamagedStreams) {
    const std::string good = compressed(repeatedText(150000) + randomBytes(150000));
    const auto withByte = [&](std::size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::string truncated = "the compressed data is truncated";
    const std::string corrupt = "the compressed data is corrupt or fails its checksum";
    const std::string trailing = "bytes follow the end of the compressed data";
    const struct {
        const char* name;
        std::string bytes;
        const std::string& message;
    } rows[] = {
        {"empty_file", "", truncated},
        {"header_only", good.substr(0, 2), truncated},
        {"cut_in_the_middle", good.substr(0, good.size() / 2), truncated},
        {"checksum_cut_short", good.substr(0, good.size() - 1), truncated},
        {"bad_checksum", withByte(good.size() - 1, static_cast<char>(good.back() ^ 1)), corrupt},
        {"corrupt_data", withByte(good.size() / 3, static_cast<char>(good[good.size() / 3] ^ 0x40)),
         corrupt},
        {"bad_header", withByte(0, 0), corrupt},
        {"preset_dictionary", std::string("\x78\xbb\0\0\0\1", 6) + good.substr(2), corrupt},
        {"not_compressed", repeatedText(500), corrupt},
        {"one_trailing_byte", good + '\0', trailing},
        {"a_second_stream", good + compressed("x"), trailing},
        {"trailing_byte_after_a_chunk_sized_stream", storedStreamOfSize(1 << 16) + 'x', trailing},
    };
    for (const auto& row : rows) {
        for (const bool earlierOutput : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (earlierOutput ? " over an earlier output" : ""));
            const fs::path folder = rowFolder(row.name);
            const fs::path in = folder / "boots.bin";
            writeFile(in, row.bytes);
            if (earlierOutput)
                writeFile(folder / "boots.bin.unzlib", "unpacked by an earlier open");
            const auto before = snapshot(folder);

            const Outcome outcome = runTool({u8(in), "-d"});
            EXPECT_EQ(outcome.exitCode, 1);
            EXPECT_EQ(outcome.err, "zlibtool: " + u8(in) + ": " + row.message + "\n");
            EXPECT_EQ(outcome.out, "");
            EXPECT_EQ(snapshot(folder), before);
        }
    }
}

// Where the system's own wording of an error differs, the tool passes it on as it is.
TEST_F(ZlibTool, ReportsInputAndOutputFaults) {
    const std::string big = randomBytes(1 << 20);
    const std::string longName(250, 'b');
    const struct {
        const char* name;
        std::function<void(const fs::path&)> setUp;
        std::string input;
        bool unpack;
        bool failWrites; // writing the reported file fails (runTool)
        std::string reportedFile;
        const char* message;
    } rows[] = {
        {"pack_missing_file", [](const fs::path&) {}, "missing.bin", false, false, "missing.bin",
         "cannot open: No such file or directory"},
        {"unpack_missing_file", [](const fs::path&) {}, "missing.bin", true, false, "missing.bin",
         "cannot open: No such file or directory"},
        {"folder_is_a_regular_file", [](const fs::path& f) { writeFile(f / "file", "x"); },
         "file/boots.bin", false, false, "file/boots.bin",
         onWindows("cannot open: No such file or directory", "cannot open: Not a directory")},
        {"input_is_a_folder", [](const fs::path& f) { fs::create_directory(f / "boots.bin"); },
         "boots.bin", false, false, "boots.bin",
         onWindows("cannot open: Permission denied", "read error: Is a directory")},
        {"output_name_is_a_folder",
         [&](const fs::path& f) {
             writeFile(f / "boots.bin", big);
             fs::create_directory(f / "boots.bin.zlib");
             writeFile(f / "boots.bin.zlib" / "inside", "kept");
         },
         "boots.bin", false, false, "boots.bin.zlib",
         onWindows("write error: Permission denied", "write error: Is a directory")},
        {"output_name_too_long",
         [&](const fs::path& f) { writeFile(f / longName, compressed("boots")); }, longName, true,
         false, longName + ".unzlib",
         onWindows("write error: No such file or directory", "write error: File name too long")},
        {"write_fails_while_packing",
         [&](const fs::path& f) {
             writeFile(f / "boots.bin", big);
             writeFile(f / "boots.bin.zlib", "packed by an earlier save");
         },
         "boots.bin", false, true, "boots.bin.zlib",
         onWindows("write error: Permission denied", "write error: File too large")},
        {"write_fails_while_unpacking",
         [&](const fs::path& f) {
             writeFile(f / "boots.bin", compressed(repeatedText(1 << 20)));
             writeFile(f / "boots.bin.unzlib", "unpacked by an earlier open");
         },
         "boots.bin", true, true, "boots.bin.unzlib",
         onWindows("write error: Permission denied", "write error: File too large")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = rowFolder(row.name);
        row.setUp(folder);
        const auto before = snapshot(folder);
        std::vector<std::string> args{u8(folder / row.input)};
        if (row.unpack)
            args.push_back("-d");

        const Outcome outcome =
            runTool(args, row.failWrites ? folder / row.reportedFile : fs::path());
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err,
                  "zlibtool: " + u8(folder / row.reportedFile) + ": " + row.message + "\n");
        EXPECT_EQ(snapshot(folder), before);
    }
}

TEST_F(ZlibTool, OtherArgumentsGetTheUsageLine) {
    const std::string in = u8(dir_ / "boots.bin");
    writeFile(fs::u8path(in), "data");
    const struct {
        const char* name;
        std::vector<std::string> args;
    } rows[] = {
        {"none", {}},
        {"three", {in, "-d", "-d"}},
        {"unknown_switch", {in, "-x"}},
        {"upper_case_switch", {in, "-D"}},
        {"empty_switch", {in, ""}},
        {"switch_first", {"-d", in}},
    };
    const auto before = snapshot(dir_);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = runTool(row.args);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.err.rfind("usage: zlibtool PATH [-d]", 0), 0u) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(snapshot(dir_), before);
    }
}

TEST_F(ZlibTool, TakesNamesExactlyAsGiven) {
    // Over Windows' classic limit of 260 characters in all, within 255 bytes a name on Linux.
    const std::string longName = "Łódź " + std::string(200, 'a') + ".bin";
    const struct {
        const char* name;
        std::string folder;
        std::string file;
    } rows[] = {
        {"blanks", "My Documents", "my boots file.bin"},
        {"double_quotes", "say \"hi\"", "boots \"2024\".bin"},
        {"polish_letters", "Żółć ąęś", "Błyskawica ŁÓDŹ.bin"},
        {"greek_and_cjk", "Παπούτσια", "靴 データ.bin"},
        {"leading_dash", "-d", "-d"},
        {"all_together", "Gra \"Piłka\" 2", " Śląsk \"buty\" .bin"},
        {"long_path", "Długa ścieżka", longName},
    };
    const std::string data = repeatedText(5000);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (kWindows && (row.folder + row.file).find('"') != std::string::npos)
            continue; // Windows file names cannot hold '"'
        const fs::path folder = rowFolder(row.name) / fs::u8path(row.folder);
        fs::create_directories(folder);
        const std::string in = u8(folder / fs::u8path(row.file));
        writeFile(fs::u8path(in), data);

        EXPECT_EQ(runTool({in}).exitCode, 0);
        EXPECT_EQ(runTool({in + ".zlib", "-d"}).exitCode, 0);
        EXPECT_TRUE(readFile(fs::u8path(in + ".zlib.unzlib")) == data);
        EXPECT_EQ(names(folder), (std::vector<std::string>{row.file, row.file + ".zlib",
                                                           row.file + ".zlib.unzlib"}));
    }
}

// The sample shipped beside the program unpacks to a boots data file of 40 boots.
TEST_F(ZlibTool, SampleUnpacksToFortyBoots) {
    const fs::path sample = dir_ / "boots.bin";
    fs::copy_file(SAMPLE_PATH, sample);
    ASSERT_EQ(runTool({u8(sample), "-d"}).exitCode, 0);
    const std::string table = readFile(fs::u8path(u8(sample) + ".unzlib"));

    const std::size_t count = 40;
    ASSERT_EQ(table.size(), 32 + 76 * count);
    EXPECT_EQ(table.substr(0, 32), std::string("\1\0\0\0\x08\0\0\0\x20\0\0\0\xe0\x0b\0\0"
                                               "\xf0\xff\xff\xff\0\0\0\0\0\0\0\0\0\0\0\0",
                                               32));
    for (std::size_t k = 0; k < count; ++k) {
        SCOPED_TRACE(k);
        const auto field = [&](std::size_t offset) {
            return static_cast<unsigned char>(table[32 + 76 * k + offset]);
        };
        EXPECT_EQ(field(64), k + 1) << "ID";
        EXPECT_GE(field(65), 1);
        EXPECT_LE(field(65), 4);
        for (std::size_t stat = 68; stat < 73; ++stat) {
            EXPECT_GE(field(stat), 1);
            EXPECT_LE(field(stat), 5);
        }
        EXPECT_NE(field(0), 0) << "named";
    }
}

} // namespace
