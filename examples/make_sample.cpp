// Writes the invented sample table: 40 boots with made-up names, IDs 1 to 40, groups 1 to 4 and
// stats 1 to 5, as an unpacked boots data file.
#include "boots/boots_format.h"

#include <cstdio>
#include <random>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT\n");
        return 2;
    }
    const char* const names[] = {
        "Vortex Strike", "Gale Runner",   "Błyskawica",     "Iron Heron",    "Comet Dash",
        "Torrent Pro",   "Granite Step",  "Nimbus Flick",   "Kestrel Edge",  "Żuraw Lotny",
        "Ember Glide",   "Tidal Arc",     "Quartz Sprint",  "Zefir Classic", "Orbit Flare",
        "Burza Ognia",   "Mistral Hook",  "Cedar Touch",    "Halo Drift",    "Grom Polny",
        "Lynx Sprint",   "Solace Curl",   "Wicher Stalowy", "Basalt Drive",  "Aurora Pace",
        "Jaskółka",      "Cobalt Volley", "Thistle Lob",    "Sable Rush",    "Meadow Swerve",
        "Łuk Tęczy",     "Ridge Runner",  "Flint Shot",     "Świt Mocy",     "Harbor Glide",
        "Ash Comet",     "Śnieżny Pył",   "Pulsar Nine",    "Źrebak Złoty",  "Kometa Ćma",
    };
    std::minstd_rand numbers(1); // a fixed, fully specified sequence: the same sample everywhere
    const auto stat = [&numbers] { return static_cast<std::uint8_t>(1 + numbers() % 5); };
    std::vector<boots::BootRecord> records;
    for (const char* name : names) {
        boots::BootRecord boot;
        boot.ID = static_cast<std::uint8_t>(records.size() + 1);
        boot.Grupa = static_cast<std::uint8_t>(1 + records.size() % 4);
        boot.Nazwa = name;
        boot.Sila = stat();
        boot.Precyzja = stat();
        boot.Przyspieszenie = stat();
        boot.Szybkosc = stat();
        boot.Podkrecanie = stat();
        records.push_back(boot);
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    const bool written =
        out && boots::writeBootsFile(records, [out](const unsigned char* bytes, std::size_t size) {
            return std::fwrite(bytes, 1, size, out) == size;
        });
    if (!out || std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "make_sample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
