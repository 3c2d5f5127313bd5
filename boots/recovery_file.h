// A recovery file: the edits of a table not yet saved, as a patch from the user's file as it was
// opened or last saved, with what restoring them needs: that file's full path and its stamp then,
// and when the last edit was made. Text: a first line naming the form, "name=value" lines, an
// empty line, then the patch (boots::encodePatch) as it is.
#pragma once

#include "boots/table_diff.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace boots {

struct RecoveryFile {
    std::string file;          // the user's file, its full path (UTF-8)
    std::int64_t size = -1;    // its size, modification time (milliseconds since 1970, UTC) and
    std::int64_t modified = 0; // SHA-256 (hexadecimal) when it was opened or last saved
    std::string sha256;
    std::int64_t lastChange = 0; // when the last edit was made, as `modified`
    TableChanges changes;        // the patch from that file to the table as edited
};

// The text of `recovery`.
std::string encodeRecovery(const RecoveryFile& recovery);

// The recovery file in `text`; nullopt when it is not one that this version writes (damaged,
// cut short, or written by a newer version) or its patch does not read back.
std::optional<RecoveryFile> decodeRecovery(std::string_view text);

// The patch text of a recovery file's text: what `korvane-table apply` takes.
std::string_view recoveryPatch(std::string_view text);

} // namespace boots
