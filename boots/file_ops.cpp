#include "boots/file_ops.h"

#include "boots/file_ops_platform.h"

#include <cerrno>

namespace fileops {
namespace {

// Flushes `file` to the disk and closes it. False when either fails; the file is closed anyway.
bool flushAndClose(std::FILE* file) {
    const bool ok = flushToDisk(file);
    const int error = errno;
    if (std::fclose(file) != 0)
        return false;
    errno = error;
    return ok;
}

// Copies `target` to `target`.bak unless that exists or `target` is not a file.
ReplaceResult keepFirstBackup(const std::string& target) {
    const std::string backup = target + ".bak";
    if (!isFile(target) || exists(backup))
        return {};
    const FilePtr in(openFile(target, "rb"));
    if (!in)
        return {ReplaceStep::Backup, errno};
    const auto copy = [&in](std::FILE* out) {
        char chunk[1 << 16];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;)
            if (std::fwrite(chunk, 1, n, out) != n)
                return false;
        return !std::ferror(in.get());
    };
    const ReplaceResult copied = replaceFile(backup, copy);
    return copied.ok() ? copied : ReplaceResult{ReplaceStep::Backup, copied.error};
}

} // namespace

ReplaceResult replaceFile(const std::string& target, const std::function<bool(std::FILE*)>& write,
                          const std::function<bool(std::FILE*)>& check, Backup backup) {
    std::string temp;
    std::FILE* out = createTempBeside(target, temp);
    if (!out)
        return {ReplaceStep::Create, errno};
    ReplaceResult result;
    if (!write(out))
        result = {ReplaceStep::Write, errno};
    if (!flushAndClose(out) && result.ok())
        result = {ReplaceStep::Write, errno};
    if (result.ok() && check) {
        const FilePtr back(openFile(temp, "rb"));
        if (!back || !check(back.get()))
            result = {ReplaceStep::Check, errno};
    }
    if (result.ok() && backup == Backup::KeepFirst)
        result = keepFirstBackup(target);
    if (result.ok() && !replaceWith(temp, target))
        result = {ReplaceStep::Rename, errno};
    if (!result.ok())
        removeFile(temp);
    return result;
}

} // namespace fileops
