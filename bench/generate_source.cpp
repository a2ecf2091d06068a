// Writes a realistic source file for the benchmark: a header, WP records whose
// keys come from `distinct` keys, and about a tenth of other lines, all ended
// by carriage return and line feed. The same seed gives the same file.
//
//   generate-source FILE MEGABYTES DISTINCT_KEYS [SEED]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: generate-source FILE MEGABYTES DISTINCT_KEYS [SEED]\n", stderr);
        return 2;
    }
    const unsigned long long targetBytes = std::strtoull(argv[2], nullptr, 10) * 1000ULL * 1000ULL;
    const unsigned distinct = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)) : 20261211u;
    if (distinct == 0) return 2;

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    static char buffer[1 << 20];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);

    std::mt19937_64 random(seed);
    std::uniform_int_distribution<unsigned> keyOf(0, distinct - 1);
    std::uniform_int_distribution<unsigned> percent(0, 99);
    std::uniform_int_distribution<unsigned> nameOf(0, 99999);

    unsigned long long written = 0;
    char line[256];
    int length = std::snprintf(line, sizeof line, "NAME,LATITUDE,LONGITUDE,ALTITUDE,EXTRA\r\n");
    written += static_cast<unsigned long long>(std::fwrite(line, 1, static_cast<std::size_t>(length), out));
    while (written < targetBytes) {
        const unsigned roll = percent(random);
        if (roll < 10) {
            // Lines that are dropped: routes, comments, lower-case records.
            static const char* const others[] = {"RT,ROUTE%u,1,2,3\r\n", "; comment %u\r\n", "wp,name%u,1,2,3,\r\n",
                                                 "TR,%u,track point\r\n"};
            length = std::snprintf(line, sizeof line, others[roll % 4], nameOf(random));
        } else {
            const unsigned key = keyOf(random);
            // The key fields follow from the key number; the name doesn't.
            length = std::snprintf(line, sizeof line, "WP,NAME%u,%u.%06u,%u.%06u,%u,extra,fields\r\n",
                                   nameOf(random), 40 + key % 31, (key * 7919u) % 1000000u, 20 + key % 53,
                                   (key * 104729u) % 1000000u, 100 + key % 900);
        }
        written += static_cast<unsigned long long>(std::fwrite(line, 1, static_cast<std::size_t>(length), out));
    }
    if (std::fclose(out) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
