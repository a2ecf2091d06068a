#include "support/random_source.h"

#include <algorithm>
#include <array>
#include <vector>

namespace testing_support {

namespace {

std::size_t below(std::mt19937& random, std::size_t limit) {
    return std::uniform_int_distribution<std::size_t>(0, limit - 1)(random);
}

std::string piece(std::mt19937& random) {
    static const std::array<const char*, 12> words = {"a", "b", "B", "key", "x y", "1", "22", "WP", "Wp", "wp", "P", "W"};
    switch (below(random, 16)) {
    case 0: case 1: case 2: return ",";
    case 3: return " ";
    case 4: return "\t";
    case 5: return "\r";
    case 6: return "\n";
    case 7: return "\r\n";
    case 8: return std::string(1, '\0');
    case 9: return std::string(1, static_cast<char>(128 + below(random, 128)));
    case 10: return below(random, 40) == 0 ? std::string(32760 + below(random, 12), 'z') : "  ";
    default: return words[below(random, words.size())];
    }
}

// A field of a record: a few pieces from a small vocabulary, so that keys
// repeat, with spaces, tabs and odd bytes in and around them; no line ends.
std::string field(std::mt19937& random) {
    static const std::array<const char*, 10> words = {"a", "b", "B", "x y", "x  y", "1", "", "WP", "\t", " "};
    std::string text;
    const std::size_t pieces = below(random, 3);
    for (std::size_t i = 0; i < pieces; ++i) {
        switch (below(random, 12)) {
        case 0: text += std::string(1, '\0'); break;
        case 1: text += std::string(1, static_cast<char>(128 + below(random, 128))); break;
        case 2: text += "\n"; break;
        default: text += words[below(random, words.size())]; break;
        }
    }
    return text;
}

}  // namespace

std::string troublesomeSource(std::mt19937& random) {
    std::string source;
    const std::size_t lines = below(random, 60);
    for (std::size_t line = 0; line < lines; ++line) {
        const std::size_t kind = below(random, 100);
        if (kind < 60) {
            // A record, nearly always with its five commas.
            source += below(random, 4) == 0 ? "WPT" : "WP";
            const std::size_t fields = below(random, 30) == 0 ? below(random, 5) : 5 + below(random, 3);
            for (std::size_t i = 0; i < fields; ++i) source += "," + field(random);
        } else if (kind < 62) {
            // Commas pushed out towards and past position 32766.
            source += "WP," + std::string(32755 + below(random, 16), 'z') + ",a,b,c,d";
        } else {
            const std::size_t pieces = below(random, 14);
            for (std::size_t i = 0; i < pieces; ++i) source += piece(random);
        }
        if (below(random, 8) != 0) source += below(random, 3) ? "\r\n" : "\r";
    }
    return source;
}

std::string manyKeysSource(std::mt19937& random) {
    // Every key appears at least once, in random order among repeats, so
    // that some sources stay within 10000 keys and others pass it.
    const std::size_t keys = 9995 + below(random, 11);
    std::vector<std::size_t> order;
    for (std::size_t key = 0; key < keys; ++key) {
        order.push_back(key);
        if (below(random, 2) == 0) order.push_back(below(random, keys));
    }
    std::shuffle(order.begin(), order.end(), random);
    std::string source = "HEADER\r\n";
    for (std::size_t line = 0; line < order.size(); ++line) {
        source += "WP,n" + std::to_string(line) + ", k" + std::to_string(order[line]) + " ,c,d,tail\r\n";
        if (below(random, 50) == 0) source += "wp,drop,me,,,\r\n";
    }
    return source;
}

}  // namespace testing_support
