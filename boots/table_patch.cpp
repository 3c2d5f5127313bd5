#include "boots/table_patch.h"

#include "boots/csv_text.h"

namespace boots {
namespace {

using namespace csvtext;

const Columns kColumns = columnsOf(CsvLayout::Patch);

// What the rows at one position stand for.
enum class Kind { Change, Added, Removed };

// Writes a value as the patch holds it: names guarded and quoted as export writes them.
void appendValue(std::string& out, BootField field, const std::optional<std::string>& value) {
    if (value && field == BootField::Nazwa)
        appendName(out, *value);
    else if (value)
        out += *value;
}

void appendRow(std::string& out, std::size_t position, std::uint8_t id, BootField field,
               const std::optional<std::string>& before, const std::optional<std::string>& after) {
    appendNumber(out, position);
    out += ',';
    appendNumber(out, id);
    out += ',';
    out += fieldName(field);
    out += ',';
    appendValue(out, field, before);
    out += ',';
    appendValue(out, field, after);
    out += "\r\n";
}

// `error` placed at `column` of the row that `reader` has just read.
CsvError placed(const Reader& reader, CsvError error, std::size_t column) {
    error.line = reader.field(column).line;
    error.column = column;
    return error;
}

// Reads a patch's rows one at a time into `changes`, checking their order and what each position
// stands for: changed fields, or an added or a removed boot.
class PatchReader {
public:
    explicit PatchReader(TableChanges& changes) : changes_(changes) {}

    // Takes the row that `reader` has just read; the error when it does not fit.
    std::optional<CsvError> take(const Reader& reader) {
        if (reader.emptyRow())
            return errorAt(CsvProblem::EmptyLine, reader.field(0).line);
        Row row;
        std::optional<CsvError> error = readKey(reader, row);
        if (!error)
            error = place(reader, row);
        if (!error)
            error = takeValues(reader, row);
        return error;
    }

    // The error when the last boot is added or removed and lacks a row, placed at `line`.
    std::optional<CsvError> checkComplete(std::size_t line) const {
        if (!started_ || kind_ == Kind::Change || next_ == kBootFieldCount)
            return std::nullopt;
        CsvError error = errorAt(CsvProblem::BootIncomplete, line);
        error.value = fieldName(static_cast<BootField>(next_));
        error.number = position_;
        return error;
    }

private:
    struct Row {
        std::size_t position = 0;
        std::uint8_t id = 0;
        BootField field = BootField::ID;
    };

    // Reads the position, the id and the column, and checks that the row has five columns.
    std::optional<CsvError> readKey(const Reader& reader, Row& row) {
        return checkRow(reader, kColumns, CsvProblem::ColumnMissing, CsvProblem::ColumnExtra,
                        [&](std::size_t i, std::string_view text) -> std::optional<CsvError> {
                            if (i == kPatchPosition)
                                return readPosition(text, row.position);
                            if (i == kPatchId) {
                                std::optional<CsvError> wrong =
                                    readValue(text, BootField::ID, scratch_);
                                row.id = scratch_.ID;
                                return wrong;
                            }
                            if (i == kPatchField)
                                return readField(text, row.field);
                            return std::nullopt; // the values come once the row is placed
                        });
    }

    // Checks the row's place after the rows before it; a row at a new position starts a boot,
    // added when its id row has no before, removed when it has no after.
    std::optional<CsvError> place(const Reader& reader, const Row& row) {
        const auto column = static_cast<std::size_t>(row.field);
        if (started_ && row.position == position_) {
            if (row.id != id_)
                return placed(reader, fault(CsvProblem::IdDiffers, std::to_string(row.id), id_),
                              kPatchId);
            if (column < next_)
                return placed(reader,
                              fault(CsvProblem::ColumnOutOfOrder, std::string(fieldName(row.field)),
                                    next_ - 1),
                              kPatchField);
        } else {
            if (started_ && row.position < position_)
                return placed(
                    reader,
                    fault(CsvProblem::PositionBackwards, std::to_string(row.position), position_),
                    kPatchPosition);
            if (std::optional<CsvError> incomplete = checkComplete(reader.field(0).line))
                return incomplete;
            Kind kind = Kind::Change;
            if (row.field == BootField::ID && reader.field(kPatchBefore).text().empty())
                kind = Kind::Added;
            else if (row.field == BootField::ID && reader.field(kPatchAfter).text().empty())
                kind = Kind::Removed;
            // Added or removed boots end the patch, one position after another, of one kind.
            if (started_ && kind_ != Kind::Change &&
                (kind != kind_ || row.position != position_ + 1))
                return placed(reader, fault(CsvProblem::BootOutOfPlace), kPatchPosition);
            started_ = true;
            kind_ = kind;
            position_ = row.position;
            id_ = row.id;
            next_ = 0;
            if (kind == Kind::Added)
                changes_.added.push_back({row.position, {}});
            else if (kind == Kind::Removed)
                changes_.removed.push_back({row.position, {}});
            else
                ++changes_.changedBoots;
        }
        if (kind_ != Kind::Change && column != next_) {
            CsvError error = errorAt(CsvProblem::BootIncomplete, reader.field(0).line);
            error.value = fieldName(static_cast<BootField>(next_));
            error.number = row.position;
            return error;
        }
        next_ = column + 1;
        return std::nullopt;
    }

    // Reads before and after as the boot that the row belongs to needs them.
    std::optional<CsvError> takeValues(const Reader& reader, const Row& row) {
        const std::string_view before = reader.field(kPatchBefore).text();
        const std::string_view after = reader.field(kPatchAfter).text();
        std::optional<std::string> was;
        std::optional<std::string> is;
        std::optional<CsvError> error;
        if (kind_ == Kind::Added && !before.empty())
            return placed(reader, fault(CsvProblem::ValueNotEmpty), kPatchBefore);
        if (kind_ != Kind::Added && (error = readText(before, row.field, was)))
            return placed(reader, *error, kPatchBefore);
        if (kind_ == Kind::Removed && !after.empty())
            return placed(reader, fault(CsvProblem::ValueNotEmpty), kPatchAfter);
        if (kind_ != Kind::Removed && (error = readText(after, row.field, is)))
            return placed(reader, *error, kPatchAfter);
        if (row.field == BootField::ID) {
            // The id row of a changed or removed boot starts from its id, an added one ends there.
            const std::string& value = kind_ == Kind::Added ? *is : *was;
            if (value != std::to_string(row.id))
                return placed(reader, fault(CsvProblem::IdValueDiffers, value, row.id),
                              kind_ == Kind::Added ? kPatchAfter : kPatchBefore);
        }
        if (kind_ == Kind::Added)
            setField(changes_.added.back().boot, row.field, *is, ValueMode::Exact);
        else if (kind_ == Kind::Removed)
            setField(changes_.removed.back().boot, row.field, *was, ValueMode::Exact);
        else
            changes_.changed.push_back(
                {row.position, row.id, row.field, std::move(*was), std::move(*is)});
        return std::nullopt;
    }

    static std::optional<CsvError> readField(std::string_view text, BootField& field) {
        for (std::size_t f = 0; f < kBootFieldCount; ++f) {
            if (text == fieldName(static_cast<BootField>(f))) {
                field = static_cast<BootField>(f);
                return std::nullopt;
            }
        }
        return fault(CsvProblem::UnknownColumn, std::string(text));
    }

    // Reads a value of `field` into `value` as fieldText gives it.
    std::optional<CsvError> readText(std::string_view text, BootField field,
                                     std::optional<std::string>& value) {
        if (std::optional<CsvError> error = readValue(text, field, scratch_))
            return error;
        value = fieldText(scratch_, field);
        return std::nullopt;
    }

    TableChanges& changes_;
    BootRecord scratch_;
    bool started_ = false;     // whether a row has been taken
    Kind kind_ = Kind::Change; // what the last position stands for
    std::size_t position_ = 0; // the last row's
    std::uint8_t id_ = 0;      // the last position's
    std::size_t next_ = 0;     // the first column that may follow at the last position
};

CsvPatch failure(CsvError error) {
    error.layout = CsvLayout::Patch;
    CsvPatch patch;
    patch.error = std::move(error);
    return patch;
}

std::string shown(const std::optional<BootField>& field, const std::optional<std::string>& text) {
    if (!field)
        return *text + " boots";
    if (!text)
        return "no boot";
    return *field == BootField::Nazwa ? "\"" + *text + "\"" : *text;
}

// Applies the changes at one position, [first, last), to `records`, or adds the clashes with
// `table`.
void applyChanges(const FieldChange* first, const FieldChange* last,
                  const std::vector<BootRecord>& table, std::vector<BootRecord>& records,
                  std::vector<PatchClash>& clashes) {
    const std::size_t position = first->position;
    const BootRecord* boot = position < table.size() ? &table[position] : nullptr;
    if (!boot || (first->field != BootField::ID && boot->ID != first->id)) {
        clashes.push_back(
            {position, first->id, BootField::ID, std::to_string(first->id),
             boot ? std::optional<std::string>(std::to_string(boot->ID)) : std::nullopt});
        return;
    }
    for (const FieldChange* change = first; change != last; ++change) {
        std::string has = fieldText(*boot, change->field);
        if (has == change->before) {
            setField(records[position], change->field, change->after, ValueMode::Exact);
        } else if (has != change->after) {
            clashes.push_back(
                {position, change->id, change->field, change->before, std::move(has)});
            if (change->field == BootField::ID)
                return; // another boot: its other fields say nothing
        }
    }
}

// The clashes of the boot a table holds at `position` with `expected`, field by field: an added
// boot (expecting no boot there) or a removed one (expecting it unchanged).
void compareBoot(std::size_t position, const BootRecord& expected, const BootRecord& boot,
                 bool added, std::vector<PatchClash>& clashes) {
    for (std::size_t f = 0; f < kBootFieldCount; ++f) {
        const auto field = static_cast<BootField>(f);
        std::string want = fieldText(expected, field);
        std::string has = fieldText(boot, field);
        if (has == want)
            continue;
        clashes.push_back({position, expected.ID, field,
                           added ? std::nullopt : std::optional<std::string>(std::move(want)),
                           std::move(has)});
        if (field == BootField::ID)
            return;
    }
}

} // namespace

bool encodePatch(const TableChanges& changes, const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string out(kBom);
    out.reserve(kPiece + 1024);
    for (std::size_t i = 0; i < kColumns.count; ++i) {
        out += kColumns.names[i];
        out += i + 1 < kColumns.count ? "," : "\r\n";
    }
    const auto flush = [&out, &write] {
        if (out.size() < kPiece)
            return true;
        const bool written = write(out);
        out.clear();
        return written;
    };
    for (const FieldChange& c : changes.changed) {
        appendRow(out, c.position, c.id, c.field, c.before, c.after);
        if (!flush())
            return false;
    }
    for (const bool added : {true, false}) {
        for (const PositionedBoot& b : added ? changes.added : changes.removed) {
            for (std::size_t f = 0; f < kBootFieldCount; ++f) {
                const auto field = static_cast<BootField>(f);
                const std::string value = fieldText(b.boot, field);
                appendRow(out, b.position, b.boot.ID, field,
                          added ? std::nullopt : std::optional<std::string>(value),
                          added ? std::optional<std::string>(value) : std::nullopt);
            }
            if (!flush())
                return false;
        }
    }
    return write(out);
}

std::string encodePatch(const TableChanges& changes) {
    std::string text;
    encodePatch(changes, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

CsvPatch decodePatch(std::string_view bytes, CsvEncoding encoding) {
    std::string converted;
    std::optional<Reader> opened;
    if (std::optional<CsvError> error = openCsv(bytes, encoding, kColumns, converted, opened))
        return failure(std::move(*error));
    Reader& reader = *opened;
    CsvPatch patch;
    PatchReader rows(patch.changes);
    while (!reader.atEnd()) {
        std::optional<CsvError> error = reader.readRow();
        if (!error)
            error = rows.take(reader);
        if (error)
            return failure(std::move(*error));
    }
    if (std::optional<CsvError> error = rows.checkComplete(reader.endLine() + 1))
        return failure(std::move(*error));
    return patch;
}

std::string PatchClash::message() const {
    return "position " + std::to_string(position) + " (ID " + std::to_string(id) + "), column " +
           (field ? std::string(fieldName(*field)) : "*") + ": the patch expects " +
           shown(field, expected) + ", the file has " + shown(field, found);
}

PatchResult applyPatch(const std::vector<BootRecord>& table, const TableChanges& patch) {
    PatchResult result;
    result.records = table;
    std::vector<BootRecord>& records = result.records;
    std::vector<PatchClash>& clashes = result.clashes;
    const FieldChange* const end = patch.changed.data() + patch.changed.size();
    for (const FieldChange *first = patch.changed.data(), *last = first; first != end;
         first = last) {
        while (last != end && last->position == first->position)
            ++last;
        applyChanges(first, last, table, records, clashes);
    }
    for (const PositionedBoot& b : patch.added) {
        if (b.position < table.size()) {
            compareBoot(b.position, b.boot, table[b.position], true, clashes);
        } else if (b.position == records.size()) {
            records.push_back(b.boot);
        } else { // a gap between the table's last boot and this one
            clashes.push_back({b.position, b.boot.ID, std::nullopt, std::to_string(b.position),
                               std::to_string(records.size())});
            break;
        }
    }
    if (!patch.removed.empty()) {
        const PositionedBoot& first = patch.removed.front();
        const std::size_t count = patch.removed.back().position + 1;
        if (table.size() > count) // boots after the removed ones, which the patch does not know
            clashes.push_back({first.position, first.boot.ID, std::nullopt, std::to_string(count),
                               std::to_string(table.size())});
        for (const PositionedBoot& b : patch.removed) {
            if (b.position < table.size())
                compareBoot(b.position, b.boot, table[b.position], false, clashes);
        }
        if (records.size() > first.position)
            records.resize(first.position);
    }
    if (!clashes.empty())
        records.clear();
    return result;
}

} // namespace boots
