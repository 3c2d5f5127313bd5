#include "fileops/file_ops.h"

#include "fileops/file_ops_platform.h"

#include <algorithm>
#include <cerrno>
#include <memory>

namespace fileops {
namespace {

// Flushes `file`, to the disk when `durable`, and closes it. False when either fails; the file is
// closed anyway.
bool flushAndClose(std::FILE* file, bool durable) {
    const bool ok = durable ? flushToDisk(file) : std::fflush(file) == 0;
    const int error = errno;
    if (std::fclose(file) != 0)
        return false;
    errno = error;
    return ok;
}

constexpr std::size_t kChunk = 1 << 16;

// Copies `in` from where it stands to `out`; false, with errno set, when a read or write fails.
bool copyStream(std::FILE* in, std::FILE* out) {
    std::vector<char> chunk(kChunk);
    for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0;)
        if (std::fwrite(chunk.data(), 1, n, out) != n)
            return false;
    return !std::ferror(in);
}

// True when `a` and `b` hold the same bytes from where they stand to their ends.
bool sameBytes(std::FILE* a, std::FILE* b) {
    std::vector<char> left(kChunk), right(kChunk + 1); // one more: b must end with a
    for (;;) {
        const std::size_t n = std::fread(left.data(), 1, left.size(), a);
        if (std::fread(right.data(), 1, n + 1, b) != n ||
            !std::equal(left.begin(), left.begin() + n, right.begin()))
            return false;
        if (n < left.size())
            return !std::ferror(a) && !std::ferror(b);
    }
}

// Copies `target` to `target`.bak unless that exists or `target` is not a file; `made` tells
// whether it did.
ReplaceResult keepFirstBackup(const std::string& target, bool& made) {
    made = false;
    if (!isFile(target) || exists(target + ".bak"))
        return {};
    const ReplaceResult copied = copyOver(target, target + ".bak");
    made = copied.ok();
    return copied.ok() ? copied : ReplaceResult{ReplaceStep::Backup, copied.error};
}

} // namespace

ReplaceResult replaceFile(const std::string& target, const std::function<bool(std::FILE*)>& write,
                          const std::function<bool(std::FILE*)>& check, Backup backup,
                          Durability durability) {
    const bool durable = durability == Durability::Durable;
    std::string temp;
    std::FILE* out = createTempBeside(target, temp);
    if (!out)
        return {ReplaceStep::Create, errno};
    ReplaceResult result;
    if (!write(out))
        result = {ReplaceStep::Write, errno};
    if (!flushAndClose(out, durable) && result.ok())
        result = {ReplaceStep::Write, errno};
    if (result.ok() && check) {
        const FilePtr back(openFile(temp, "rb"));
        if (!back || !check(back.get()))
            result = {ReplaceStep::Check, errno};
    }
    bool backedUp = false;
    if (result.ok() && backup == Backup::KeepFirst)
        result = keepFirstBackup(target, backedUp);
    if (result.ok() && !replaceWith(temp, target, durable)) {
        result = {ReplaceStep::Rename, errno};
        if (backedUp) // the target is as it was: its backup would only stand in the way
            removeFile(target + ".bak");
    }
    if (!result.ok())
        removeFile(temp);
    return result;
}

std::string consoleText(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());
    std::string shown;
    shown.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            shown += '\r';
        shown += text[i];
    }
    return shown;
}

ReplaceResult copyOver(const std::string& source, const std::string& target, Backup backup,
                       Durability durability) {
    const FilePtr in(openFile(source, "rb"));
    if (!in)
        return {ReplaceStep::Read, errno};
    const auto copy = [&in](std::FILE* out) { return copyStream(in.get(), out); };
    const auto check = [&in](std::FILE* back) {
        std::rewind(in.get());
        return sameBytes(in.get(), back);
    };
    return replaceFile(target, copy, check, backup, durability);
}

} // namespace fileops
