// The boots table: loads an unpacked boots data file, hands out and changes boots by their
// 8-bit position, appends boots and writes the table back. Outcomes are results, never messages.
#pragma once

#include "boots/boots_format.h"

#include <cstdint>
#include <string>
#include <vector>

class Qel_Baza {
public:
    static constexpr int maxBoots = 256;  // positions an 8-bit Index reaches
    static constexpr int highestId = 255; // no boot is added after a boot with this ID

    // An empty table with no file loaded.
    Qel_Baza() = default;
    // A table holding `records` as given, as if loaded from the file at Str_Path, which held
    // `rest` besides them.
    explicit Qel_Baza(std::vector<boots::BootRecord> records, std::string Str_Path = {},
                      boots::FileRest rest = {});

    // Appends a boot whose ID follows the last boot's, with an empty name and the lowest values a
    // change stores (group 1, every stat 1). Returns the new ID, or 0 when addRefusal() says why
    // not.
    std::uint8_t Dodaj_Nowy();

    // Why Dodaj_Nowy would add no boot now.
    enum class AddRefusal { None, NoTable, LastId, Full };
    AddRefusal addRefusal() const;

    // The ID that Dodaj_Nowy would give the boot it appends now; 0 when it would refuse.
    std::uint8_t nextId() const;

    // Stores the name (first 60 characters), the group (0 becomes 1) and the five stats
    // (Clamp_Stat) at position Index (past the last boot means the last). The ID stays.
    // Returns false and changes nothing when no boot can be addressed.
    bool Zmien_Dane(std::uint8_t Index, const std::string& Nazwa, std::uint8_t Grupa,
                    std::uint8_t Sila, std::uint8_t Precyzja, std::uint8_t Przyspieszenie,
                    std::uint8_t Szybkosc, std::uint8_t Podkrecanie);

    // The boots data file the table belongs to.
    const std::string& Path() const;
    void Path(const std::string& Str_Path);

    // Fields of the boot at position Index (past the last boot means the last); empty text or 0
    // when no boot can be addressed.
    std::string Get_Nazwa(std::uint8_t Index) const;
    std::int32_t Get_ID(std::uint8_t Index) const;
    std::int32_t Get_Grupa(std::uint8_t Index) const;
    std::uint8_t Get_Sila(std::uint8_t Index) const;
    std::uint8_t Get_Precyzja(std::uint8_t Index) const;
    std::uint8_t Get_Przyspieszenie(std::uint8_t Index) const;
    std::uint8_t Get_Szybkosc(std::uint8_t Index) const;
    std::uint8_t Get_Podkrecanie(std::uint8_t Index) const;

    // Loads the file at Str_Path (which becomes Path when non-empty), or at Path, with what it
    // holds besides its records. False when the file is missing (table unchanged), unreadable,
    // shorter than its header declares or its header is rejected (table left empty).
    bool Wczytaj(const std::string& Str_Path = {});

    // Writes the table to Str_Path, or to Path when that is empty, replacing the file only once
    // every byte is written: the bytes of the file loaded, but for what was changed since. The
    // file is not synced to the disk: it is the working file that is packed, and checked, before
    // anything of it reaches a user's file. False,
    // with any earlier file left as it was, when no table is loaded, it is empty, or the write
    // fails (errno then says why). Path is not changed.
    bool Zapisz(const std::string& Str_Path = {}) const;

    // What the file loaded holds besides its records: its Data_Length and the bytes after them.
    const boots::FileRest& rest() const;

    // True when a file or folder exists at Str_Path.
    static bool File_Exists(const std::string& Str_Path);

    // Number of boots held.
    std::int32_t Count() const;

    // Replaces every boot with `records`, stored exactly as given: nothing is clamped or cut; what
    // the file holds besides them stays. False, with the table unchanged, when no file was
    // loaded, `records` is empty or it holds more boots than a boots data file can (so that
    // Zapisz could not write them).
    bool replaceAll(std::vector<boots::BootRecord> records);

private:
    // A stat as a change stores it: 0 becomes 1, above 5 becomes 5.
    static std::uint8_t Clamp_Stat(std::uint8_t value);
    std::int32_t Clamp_Index(std::uint8_t Index) const;
    const boots::BootRecord* at(std::uint8_t Index) const; // null when no boot can be addressed

    std::string Path_;
    bool Is_Loaded = false;
    std::vector<boots::BootRecord> Boots;
    boots::FileRest fileRest;

public:
    // Taking back changes exactly, stored values outside the editor's limits included.

    // The boot at position Index as stored (past the last boot means the last); a blank boot
    // when no boot can be addressed.
    boots::BootRecord bootAt(std::uint8_t Index) const;

    // Stores Boot at position Index as given, ID included, without clamping; any position, past
    // the 256 that an 8-bit Index reaches too. Returns false and changes nothing when no table is
    // loaded or Index is past the last boot.
    bool setBoot(std::size_t Index, const boots::BootRecord& Boot);

    // Removes the last boot. Returns false and changes nothing when no table is loaded or it
    // holds a single boot: the table is never left empty.
    bool removeLast();

    // Every boot held, in table order, as stored (past the 256 that an Index reaches too); empty
    // when no table is loaded. Valid until the table next changes.
    const std::vector<boots::BootRecord>& allBoots() const;
};
