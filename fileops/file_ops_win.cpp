#include "fileops/file_ops.h"
#include "fileops/file_ops_platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace fileops {
namespace {

// The UTF-16 form of `utf8`; with MB_ERR_INVALID_CHARS in `flags`, empty when it is malformed.
std::wstring widen(std::string_view utf8, DWORD flags = MB_ERR_INVALID_CHARS) {
    if (utf8.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, flags, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, flags, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string narrow(const wchar_t* wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
    utf8.pop_back(); // the terminating NUL
    return utf8;
}

// The wide form of `utf8` for the file calls: an absolute "\\?\" path when it is too long for the
// classic limit of 260 characters (folders: 248), which that form lifts.
std::wstring winPath(const std::string& utf8) {
    std::wstring path = widen(utf8);
    if (path.size() < 248 || path.rfind(LR"(\\?\)", 0) == 0)
        return path;
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    if (n == 0 || GetFullPathNameW(path.c_str(), n, full.data(), nullptr) >= n)
        return path;
    full.resize(n - 1);
    if (full.rfind(LR"(\\)", 0) == 0) // \\server\share\... becomes \\?\UNC\server\share\...
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

// Sets errno from the last Windows error.
void setErrno() {
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        errno = ENOENT;
        break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        errno = EEXIST;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        errno = ENOSPC;
        break;
    case ERROR_FILENAME_EXCED_RANGE:
        errno = ENAMETOOLONG;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        errno = EACCES;
        break;
    default:
        errno = EIO;
    }
}

} // namespace

std::FILE* openFile(const std::string& path, const char* mode) {
    const std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(winPath(path).c_str(), wmode.c_str());
}

std::FILE* createTempBeside(const std::string& target, std::string& tempPath) {
    const std::string::size_type slash = target.find_last_of("/\\");
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[48];
        std::snprintf(name, sizeof name, ".korvane-%lx-%lx-%x", GetCurrentProcessId(),
                      GetTickCount(), counter++);
        tempPath = folder + name;
        const HANDLE handle = CreateFileW(winPath(tempPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS)
                continue;
            setErrno();
            return nullptr;
        }
        const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_BINARY);
        std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
        if (!file) {
            const int error = errno;
            if (fd < 0)
                CloseHandle(handle);
            else
                _close(fd);
            DeleteFileW(winPath(tempPath).c_str());
            errno = error;
        }
        return file;
    }
    errno = EEXIST;
    return nullptr;
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool replaceWith(const std::string& tempPath, const std::string& target, bool durable) {
    if (MoveFileExW(winPath(tempPath).c_str(), winPath(target).c_str(),
                    MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0)))
        return true;
    setErrno();
    return false;
}

bool isReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(winPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(winPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isConsole(std::FILE* stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

bool writeText(std::FILE* stream, std::string_view text) {
    if (!isConsole(stream))
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    std::fflush(stream);                                   // what went before, in order
    const std::wstring wide = widen(consoleText(text), 0); // a malformed sequence shows as U+FFFD
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
           written == wide.size();
}

void removeFile(const std::string& path) {
    DeleteFileW(winPath(path).c_str());
}

bool exists(const std::string& path) {
    return GetFileAttributesW(winPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

// The volume and index of the file at `path`, which tell it apart from every other file; false
// when it cannot be opened.
bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle = CreateFileW(winPath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    return known;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return fileIdentity(a, first) && fileIdentity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

void binaryStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> arguments(int, char**) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i)
        args.push_back(narrow(argv[i]));
    LocalFree(argv);
    return args;
}

} // namespace fileops
