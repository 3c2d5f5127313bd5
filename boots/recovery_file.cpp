#include "boots/recovery_file.h"

#include "boots/boot_fields.h"
#include "boots/table_patch.h"

#include <charconv>

namespace boots {
namespace {

constexpr std::string_view kForm = "Korvane recovery 1\n";
constexpr std::string_view kEnd = "\n\n"; // the empty line before the patch

bool readInt(std::string_view text, std::int64_t& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

} // namespace

std::string encodeRecovery(const RecoveryFile& recovery) {
    std::string text(kForm);
    const auto line = [&text](std::string_view name, const std::string& value) {
        text.append(name).append("=").append(value).append("\n");
    };
    line("file", recovery.file);
    line("size", std::to_string(recovery.size));
    line("modified", std::to_string(recovery.modified));
    line("sha256", recovery.sha256);
    line("last-change", std::to_string(recovery.lastChange));
    text += "\n";
    return text + encodePatch(recovery.changes);
}

std::string_view recoveryPatch(std::string_view text) {
    const std::size_t end = text.find(kEnd);
    return end == std::string_view::npos ? std::string_view() : text.substr(end + kEnd.size());
}

std::optional<RecoveryFile> decodeRecovery(std::string_view text) {
    if (text.substr(0, kForm.size()) != kForm)
        return std::nullopt;
    const std::size_t end = text.find(kEnd);
    if (end == std::string_view::npos)
        return std::nullopt;
    RecoveryFile recovery;
    int found = 0;
    for (std::string_view lines = text.substr(kForm.size(), end + 1 - kForm.size());
         !lines.empty();) {
        const std::size_t eol = lines.find('\n');
        const std::string_view line = lines.substr(0, eol);
        lines.remove_prefix(eol + 1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view name = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        bool ok = true;
        if (name == "file")
            recovery.file = value;
        else if (name == "size")
            ok = readInt(value, recovery.size);
        else if (name == "modified")
            ok = readInt(value, recovery.modified);
        else if (name == "sha256")
            recovery.sha256 = value;
        else if (name == "last-change")
            ok = readInt(value, recovery.lastChange);
        else
            continue; // a line a later version adds
        if (!ok)
            return std::nullopt;
        ++found;
    }
    CsvPatch patch = decodePatch(recoveryPatch(text), CsvEncoding::Utf8);
    if (found != 5 || recovery.file.empty() || patch.error)
        return std::nullopt;
    recovery.changes = std::move(patch.changes);
    return recovery;
}

} // namespace boots
