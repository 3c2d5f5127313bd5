#include "boots/qel_baza.h"

#include "boots/boot_fields.h"
#include "boots/cp1250.h"
#include "fileops/file_ops.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <utility>

namespace {

// Reads and decodes the boots data file at `path`; nullopt when it cannot be opened or read, its
// header is rejected or it ends before its last declared record.
std::optional<boots::BootsFile> readBootsFileAt(const std::string& path) {
    const fileops::FilePtr file(fileops::openFile(path, "rb"));
    if (!file)
        return std::nullopt;
    std::FILE* raw = file.get();
    std::optional<boots::BootsFile> read =
        boots::readBootsFile([raw](unsigned char* buffer, std::size_t size) {
            return std::fread(buffer, 1, size, raw);
        });
    if (std::ferror(raw))
        return std::nullopt;
    return read;
}

// Replaces `target` with the boots data file of `records` and `rest` (fileops::replaceFile), not
// synced to the disk: the table's file is a working file, packed and checked before anything of
// it reaches a user's file. On any failure `target` is left as it was, and errno says why.
bool writeBootsFileOver(const std::string& target, const std::vector<boots::BootRecord>& records,
                        const boots::FileRest& rest) {
    const auto write = [&records, &rest](std::FILE* f) {
        const auto sink = [f](const unsigned char* bytes, std::size_t size) {
            return std::fwrite(bytes, 1, size, f) == size;
        };
        return boots::writeBootsFile(records, sink, rest);
    };
    const fileops::ReplaceResult result = fileops::replaceFile(
        target, write, {}, fileops::Backup::None, fileops::Durability::Scratch);
    errno = result.error;
    return result.ok();
}

} // namespace

Qel_Baza::Qel_Baza(std::vector<boots::BootRecord> records, std::string Str_Path,
                   boots::FileRest rest)
    : Path_(std::move(Str_Path)), Is_Loaded(true), Boots(std::move(records)),
      fileRest(std::move(rest)) {}

std::uint8_t Qel_Baza::Dodaj_Nowy() {
    boots::BootRecord added;
    added.ID = nextId();
    if (added.ID == 0)
        return 0;
    for (const boots::FieldInfo& field : boots::kFields)
        if (std::uint8_t* number = boots::numberField(added, field.field); number && field.editable)
            *number = static_cast<std::uint8_t>(field.lowest);
    Boots.push_back(added);
    return added.ID;
}

Qel_Baza::AddRefusal Qel_Baza::addRefusal() const {
    if (Count() <= 0 || !Is_Loaded)
        return AddRefusal::NoTable;
    if (Boots.size() >= maxBoots)
        return AddRefusal::Full;
    return Boots.back().ID >= highestId ? AddRefusal::LastId : AddRefusal::None;
}

std::uint8_t Qel_Baza::nextId() const {
    return addRefusal() == AddRefusal::None ? static_cast<std::uint8_t>(Boots.back().ID + 1) : 0;
}

bool Qel_Baza::Zmien_Dane(std::uint8_t Index, const std::string& Nazwa, std::uint8_t Grupa,
                          std::uint8_t Sila, std::uint8_t Precyzja, std::uint8_t Przyspieszenie,
                          std::uint8_t Szybkosc, std::uint8_t Podkrecanie) {
    if (Count() <= 0 || !Is_Loaded)
        return false;
    const std::int32_t position = Clamp_Index(Index);
    if (position < 0)
        return false;
    boots::BootRecord& r = Boots[static_cast<std::size_t>(position)];
    const boots::FieldInfo& group = boots::fieldInfo(boots::BootField::Grupa);
    r.Nazwa =
        boots::utf8Left(Nazwa, std::size_t(boots::fieldInfo(boots::BootField::Nazwa).highest));
    r.Grupa = std::max(Grupa, static_cast<std::uint8_t>(group.lowest));
    r.Sila = Clamp_Stat(Sila);
    r.Precyzja = Clamp_Stat(Precyzja);
    r.Przyspieszenie = Clamp_Stat(Przyspieszenie);
    r.Szybkosc = Clamp_Stat(Szybkosc);
    r.Podkrecanie = Clamp_Stat(Podkrecanie);
    return true;
}

const std::string& Qel_Baza::Path() const {
    return Path_;
}

void Qel_Baza::Path(const std::string& Str_Path) {
    Path_ = Str_Path;
}

std::string Qel_Baza::Get_Nazwa(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Nazwa : std::string();
}

std::int32_t Qel_Baza::Get_ID(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->ID : 0;
}

std::int32_t Qel_Baza::Get_Grupa(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Grupa : 0;
}

std::uint8_t Qel_Baza::Get_Sila(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Sila : 0;
}

std::uint8_t Qel_Baza::Get_Precyzja(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Precyzja : 0;
}

std::uint8_t Qel_Baza::Get_Przyspieszenie(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Przyspieszenie : 0;
}

std::uint8_t Qel_Baza::Get_Szybkosc(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Szybkosc : 0;
}

std::uint8_t Qel_Baza::Get_Podkrecanie(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? r->Podkrecanie : 0;
}

bool Qel_Baza::Wczytaj(const std::string& Str_Path) {
    if (!Str_Path.empty())
        Path_ = Str_Path;
    if (!File_Exists(Path_))
        return false;
    Boots.clear();
    Boots.shrink_to_fit();
    fileRest = {};
    Is_Loaded = true;
    try {
        std::optional<boots::BootsFile> read = readBootsFileAt(Path_);
        if (!read)
            return false;
        Boots = std::move(read->records);
        fileRest = std::move(read->rest);
        return true;
    } catch (const std::exception&) { // memory for the records, or a path that cannot convert
        return false;
    }
}

bool Qel_Baza::Zapisz(const std::string& Str_Path) const {
    if (!Is_Loaded)
        return false;
    const std::string& target = Str_Path.empty() ? Path_ : Str_Path;
    if (Boots.empty() || target.empty())
        return false;
    try {
        return writeBootsFileOver(target, Boots, fileRest);
    } catch (const std::exception&) { // memory for the write buffer, or a path that cannot convert
        return false;
    }
}

bool Qel_Baza::File_Exists(const std::string& Str_Path) {
    if (Str_Path.empty())
        return false;
    return fileops::exists(Str_Path);
}

std::int32_t Qel_Baza::Count() const {
    return static_cast<std::int32_t>(Boots.size());
}

const boots::FileRest& Qel_Baza::rest() const {
    return fileRest;
}

bool Qel_Baza::replaceAll(std::vector<boots::BootRecord> records) {
    if (!Is_Loaded || !boots::fitsFile(records.size()))
        return false;
    Boots = std::move(records);
    return true;
}

std::uint8_t Qel_Baza::Clamp_Stat(std::uint8_t value) {
    const boots::FieldInfo& stat = boots::fieldInfo(boots::BootField::Sila);
    return static_cast<std::uint8_t>(std::clamp(int(value), stat.lowest, stat.highest));
}

std::int32_t Qel_Baza::Clamp_Index(std::uint8_t Index) const {
    if (!Is_Loaded || Boots.empty())
        return -1;
    const std::size_t last = Boots.size() - 1;
    return static_cast<std::int32_t>(Index < last ? Index : last);
}

const boots::BootRecord* Qel_Baza::at(std::uint8_t Index) const {
    const std::int32_t p = Clamp_Index(Index);
    return p < 0 ? nullptr : &Boots[static_cast<std::size_t>(p)];
}

boots::BootRecord Qel_Baza::bootAt(std::uint8_t Index) const {
    const boots::BootRecord* r = at(Index);
    return r ? *r : boots::BootRecord();
}

bool Qel_Baza::setBoot(std::size_t Index, const boots::BootRecord& Boot) {
    if (!Is_Loaded || Index >= Boots.size())
        return false;
    Boots[Index] = Boot;
    return true;
}

bool Qel_Baza::removeLast() {
    if (!Is_Loaded || Boots.size() < 2)
        return false;
    Boots.pop_back();
    return true;
}

const std::vector<boots::BootRecord>& Qel_Baza::allBoots() const {
    return Boots;
}
