#include "boots/qel_baza.h"

#include "boots/cp1250.h"
#include "boots/file_ops.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace {

// Reads and decodes the boots data file at `path`; nullopt when it cannot be opened or read, its
// header is rejected or it ends before its last declared record.
std::optional<std::vector<boots::BootRecord>> readBootsFileAt(const std::string& path) {
    const fileops::FilePtr file(fileops::openFile(path, "rb"));
    if (!file)
        return std::nullopt;
    std::FILE* raw = file.get();
    return boots::readBootsFile([raw](unsigned char* buffer, std::size_t size) {
        return std::fread(buffer, 1, size, raw);
    });
}

// Replaces `target` with the boots data file of `records` (fileops::replaceFile). On any failure
// `target` is left as it was.
bool writeBootsFileOver(const std::string& target, const std::vector<boots::BootRecord>& records) {
    const auto write = [&records](std::FILE* f) {
        return boots::writeBootsFile(records, [f](const unsigned char* bytes, std::size_t size) {
            return std::fwrite(bytes, 1, size, f) == size;
        });
    };
    return fileops::replaceFile(target, write).ok();
}

} // namespace

Qel_Baza::Qel_Baza(std::vector<boots::BootRecord> records, std::string Str_Path)
    : Path_(std::move(Str_Path)), Is_Loaded(true), Boots(std::move(records)) {}

std::uint8_t Qel_Baza::Dodaj_Nowy() {
    boots::BootRecord added;
    added.ID = Nastepne_ID();
    if (added.ID != 0)
        Boots.push_back(added);
    return added.ID;
}

std::uint8_t Qel_Baza::Nastepne_ID() const {
    if (Count() <= 0 || !Is_Loaded || Boots.size() >= Max_Boots)
        return 0;
    const std::int32_t lastId = Get_ID(static_cast<std::uint8_t>(Boots.size() - 1));
    return lastId >= Last_ID ? 0 : static_cast<std::uint8_t>(lastId + 1);
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
    r.Nazwa = Clamp_Name(Nazwa);
    r.Grupa = Clamp_Group(Grupa);
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
    const boots::BootRecord* r = At(Index);
    return r ? r->Nazwa : std::string();
}

std::int32_t Qel_Baza::Get_ID(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->ID : 0;
}

std::int32_t Qel_Baza::Get_Grupa(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Grupa : 0;
}

std::uint8_t Qel_Baza::Get_Sila(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Sila : 0;
}

std::uint8_t Qel_Baza::Get_Precyzja(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Precyzja : 0;
}

std::uint8_t Qel_Baza::Get_Przyspieszenie(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Przyspieszenie : 0;
}

std::uint8_t Qel_Baza::Get_Szybkosc(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Szybkosc : 0;
}

std::uint8_t Qel_Baza::Get_Podkrecanie(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? r->Podkrecanie : 0;
}

bool Qel_Baza::Wczytaj(const std::string& Str_Path) {
    if (!Str_Path.empty())
        Path_ = Str_Path;
    if (!File_Exists(Path_))
        return false;
    Boots.clear();
    Boots.shrink_to_fit();
    Is_Loaded = true;
    try {
        std::optional<std::vector<boots::BootRecord>> records = readBootsFileAt(Path_);
        if (!records)
            return false;
        Boots = std::move(*records);
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
        return writeBootsFileOver(target, Boots);
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

bool Qel_Baza::Zastap(std::vector<boots::BootRecord> records) {
    unsigned char header[boots::kHeaderSize];
    if (!Is_Loaded || !boots::encodeHeader(records.size(), header))
        return false;
    Boots = std::move(records);
    return true;
}

std::uint8_t Qel_Baza::Clamp_Group(std::uint8_t value) {
    return value < Group_Lowest ? static_cast<std::uint8_t>(Group_Lowest) : value;
}

std::uint8_t Qel_Baza::Clamp_Stat(std::uint8_t value) {
    if (value < Stat_Lowest)
        return static_cast<std::uint8_t>(Stat_Lowest);
    return value > Stat_Highest ? static_cast<std::uint8_t>(Stat_Highest) : value;
}

std::string Qel_Baza::Clamp_Name(const std::string& name) {
    return boots::utf8Left(name, Name_Limit);
}

std::int32_t Qel_Baza::Clamp_Index(std::uint8_t Index) const {
    if (!Is_Loaded || Boots.empty())
        return -1;
    const std::size_t last = Boots.size() - 1;
    return static_cast<std::int32_t>(Index < last ? Index : last);
}

const boots::BootRecord* Qel_Baza::At(std::uint8_t Index) const {
    const std::int32_t p = Clamp_Index(Index);
    return p < 0 ? nullptr : &Boots[static_cast<std::size_t>(p)];
}

boots::BootRecord Qel_Baza::Get_Boot(std::uint8_t Index) const {
    const boots::BootRecord* r = At(Index);
    return r ? *r : boots::BootRecord();
}

bool Qel_Baza::Set_Boot(std::size_t Index, const boots::BootRecord& Boot) {
    if (!Is_Loaded || Index >= Boots.size())
        return false;
    Boots[Index] = Boot;
    return true;
}

bool Qel_Baza::Usun_Ostatni() {
    if (!Is_Loaded || Boots.size() < 2)
        return false;
    Boots.pop_back();
    return true;
}

const std::vector<boots::BootRecord>& Qel_Baza::Boots_All() const {
    return Boots;
}
