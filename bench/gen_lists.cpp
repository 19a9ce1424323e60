// Writes the benchmark's list files from a seed, so that every run on every machine reads the same bytes: SSN or
// card-number lines in the proportions a payroll or billing export has (`ssn`, `card`: mostly the two usual
// shapes, a few with blanks, a few odd texts); the same in every shape a list may hold, each in good measure
// (`ssn-mixed`, `card-mixed`); or a payroll CSV file whose SSN column holds the `ssn` list's lines for the same
// seed, so that reading the column can be timed against reading the list.
//
//   gen_lists ssn|card|ssn-mixed|card-mixed|payroll LINES SEED FILE
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// splitmix64: tiny, fast, and the same sequence everywhere (the standard distributions are not).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. bound-1
    unsigned Below(unsigned bound) { return static_cast<unsigned>(Next() % bound); }
    unsigned Between(unsigned low, unsigned high) { return low + Below(high - low + 1); }
    char Digit() { return static_cast<char>('0' + Below(10)); }

private:
    std::uint64_t state_;
};

void AppendPadded(std::string& out, unsigned value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", width, value);
    out += text;
}

// Text of any length that no list should hold but some do: pasted prose, stray columns, binary noise.
void AppendNoise(std::string& out, Random& random, std::size_t length) {
    static constexpr std::string_view kChars =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -,;:./\t";
    for (std::size_t i = 0; i < length; ++i) out += kChars[random.Below(kChars.size())];
}

// Mostly areas that were issued, but every range turns up: 000, 666, 734-749, 773-899, 900-999.
unsigned PickArea(Random& random) { return random.Below(5) == 0 ? random.Below(1000) : random.Between(1, 772); }

// Every shape a list may hold, odd ones in good measure.
void MixedSsnLine(std::string& out, Random& random) {
    const unsigned area = PickArea(random);
    const unsigned group = random.Below(20) == 0 ? 0 : random.Below(100);
    const unsigned serial = random.Below(50) == 0 ? 0 : random.Below(10000);
    const auto dashed = [&](char separator) {
        AppendPadded(out, area, 3);
        out += separator;
        AppendPadded(out, group, 2);
        out += separator;
        AppendPadded(out, serial, 4);
    };
    const auto plain = [&] {
        AppendPadded(out, area, 3);
        AppendPadded(out, group, 2);
        AppendPadded(out, serial, 4);
    };
    const unsigned shape = random.Below(1000);
    if (shape < 560) {
        dashed('-');
    } else if (shape < 810) {
        plain();
    } else if (shape < 870) {
        dashed('-');
        out += '\r';  // written on Windows
    } else if (shape < 890) {
        dashed(' ');
    } else if (shape < 910) {
        // empty line
    } else if (shape < 920) {
        out += random.Below(2) ? "   " : "\t";
    } else if (shape < 930) {
        out += ' ';
        dashed('-');
    } else if (shape < 945) {
        out += "SSN ";
        dashed('-');
    } else if (shape < 955) {
        dashed('-');
        out += random.Below(2) ? "  checked 2009" : ",John Doe,";
    } else if (shape < 965) {
        AppendPadded(out, area, 3);
        out += '-';
        AppendPadded(out, group, 2);
    } else if (shape < 975) {
        plain();
        out += random.Digit();  // one digit too many
    } else if (shape < 980) {
        out += random.Below(2) ? '+' : '-';
        AppendPadded(out, area % 100, 2);
        out += '-';
        AppendPadded(out, group, 2);
        out += '-';
        AppendPadded(out, serial, 4);
    } else if (shape < 990) {
        static constexpr std::string_view kWords[] = {"n/a", "unknown", "none", "12", "SSN", "---", "TBD"};
        out += kWords[random.Below(7)];
    } else {
        AppendNoise(out, random, random.Between(1, 40));
    }
}

struct Prefix {
    std::string_view digits;
    unsigned length;  // the digit count the type takes; 0 for no known type
    unsigned weight;
};

// Every prefix a card type is known by, and some that name none.
constexpr Prefix kPrefixes[] = {
    {"300", 14, 2}, {"301", 14, 2}, {"302", 14, 2}, {"303", 14, 2}, {"304", 14, 2}, {"305", 14, 2},
    {"36", 14, 3},  {"38", 14, 3},  {"34", 15, 8},  {"37", 15, 8},  {"4", 16, 30},  {"4", 13, 4},
    {"51", 16, 6},  {"52", 16, 6},  {"53", 16, 6},  {"54", 16, 6},  {"55", 16, 6},  {"6011", 16, 8},
    {"2014", 15, 2}, {"2149", 15, 2}, {"2131", 15, 2}, {"1800", 15, 2}, {"35", 16, 4}, {"31", 16, 2},
    {"39", 16, 1},  {"6", 16, 3},   {"7", 16, 1},   {"8", 16, 1},   {"9", 16, 1},   {"0", 16, 1},
};

const Prefix& PickPrefix(Random& random) {
    unsigned total = 0;
    for (const Prefix& prefix : kPrefixes) total += prefix.weight;
    unsigned pick = random.Below(total);
    for (const Prefix& prefix : kPrefixes) {
        if (pick < prefix.weight) return prefix;
        pick -= prefix.weight;
    }
    return kPrefixes[0];
}

// Makes the last digit the Luhn check digit of the ones before it.
void SetCheckDigit(std::string& digits) {
    unsigned sum = 0;
    bool doubled = true;
    for (std::size_t i = digits.size() - 1; i-- > 0;) {
        unsigned d = static_cast<unsigned>(digits[i] - '0');
        if (doubled) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
        doubled = !doubled;
    }
    digits.back() = static_cast<char>('0' + (10 - sum % 10) % 10);
}

void MixedCardLine(std::string& out, Random& random) {
    const unsigned shape = random.Below(1000);
    if (shape < 20) return;  // empty line
    if (shape < 40) {
        static constexpr std::string_view kWords[] = {"n/a", "VISA", "expired", "card on file", "1234"};
        out += kWords[random.Below(5)];
        return;
    }
    const Prefix& prefix = PickPrefix(random);
    const unsigned length = random.Below(2) == 0 ? random.Between(12, 20) : prefix.length;
    std::string digits(prefix.digits);
    while (digits.size() < length) digits += random.Digit();
    digits.resize(length);
    if (random.Below(10) < 6) SetCheckDigit(digits);

    const unsigned layout = random.Below(100);
    if (layout < 65) {
        out += digits;
    } else if (layout < 85) {
        for (std::size_t i = 0; i < digits.size(); i += 4) {
            if (i > 0) out += '-';
            out += digits.substr(i, 4);
        }
    } else if (layout < 90) {
        out += digits.substr(0, 6) + "-" + digits.substr(6);  // one dash
    } else if (layout < 95) {
        for (std::size_t i = 0; i < digits.size(); i += 4) {
            if (i > 0) out += ' ';
            out += digits.substr(i, 4);
        }
    } else {
        out += digits;
        out += random.Below(2) ? " exp 12/29" : "\t";
    }
    if (random.Below(20) == 0) out += '\r';
}

// A payroll export's SSN column: nearly all numbers issued to people (areas 001-772 but 666, a few of the areas
// issued at random since 2011), in the two shapes people and programs write; a few written with blanks or with
// a blank around them, a few empty, a few odd texts.
void SsnLine(std::string& out, Random& random) {
    unsigned area = random.Below(100) < 3 ? random.Between(773, 899) : random.Between(1, 772);
    if (area == 666) area = 667;
    if (random.Below(200) == 0) area = random.Below(1000);  // typed wrong
    // Groups are issued in an order (odd 01-09, even 10-98, even 02-08, odd 11-99): most people hold one of the
    // first fifty, which nearly every area had issued by 2011.
    const unsigned first = random.Below(50);
    unsigned group = first < 5 ? 2 * first + 1 : 2 * first;
    if (random.Below(100) < 15) group = random.Between(1, 99);
    if (random.Below(200) == 0) group = 0;
    const unsigned serial = random.Below(200) == 0 ? 0 : random.Between(1, 9999);
    const auto written = [&](const char* separator) {
        AppendPadded(out, area, 3);
        out += separator;
        AppendPadded(out, group, 2);
        out += separator;
        AppendPadded(out, serial, 4);
    };
    const unsigned shape = random.Below(1000);
    if (shape < 640) {
        written("-");
    } else if (shape < 940) {
        written("");
    } else if (shape < 955) {
        written(" ");
    } else if (shape < 965) {
        out += random.Below(2) ? " " : "";
        written(random.Below(2) ? "-" : "");
        out += out.front() == ' ' ? "" : " ";
    } else if (shape < 975) {
        // empty: not on file
    } else if (shape < 982) {
        out += "XXX-XX-";  // masked in the export
        AppendPadded(out, serial, 4);
    } else if (shape < 988) {
        AppendPadded(out, area * 1000000 + group * 10000 + serial, 8);  // a spreadsheet dropped the leading zero
        out.erase(0, out.size() - 8);
    } else if (shape < 994) {
        static constexpr std::string_view kWords[] = {"n/a", "applied for", "none", "unknown", "TBD", "foreign"};
        out += kWords[random.Below(6)];
    } else {
        written("-");
        out.pop_back();  // a digit short
    }
}

// A billing export's card column: plain digits nearly always, by the networks' shares, most of 16 digits; some
// grouped by dashes or blanks as printed on the card, a few empty, masked, or words.
void CardLine(std::string& out, Random& random) {
    struct Network {
        std::string_view prefix;
        unsigned length;
        unsigned weight;
    };
    static constexpr Network kNetworks[] = {
        {"4", 16, 48}, {"51", 16, 5}, {"52", 16, 5}, {"53", 16, 5}, {"54", 16, 5}, {"55", 16, 5}, {"2221", 16, 2},
        {"34", 15, 4}, {"37", 15, 8}, {"6011", 16, 5}, {"65", 16, 2}, {"36", 14, 1}, {"35", 16, 2}, {"62", 16, 2},
        {"4", 13, 1},
    };
    const unsigned shape = random.Below(1000);
    if (shape < 15) return;  // empty: not on file
    if (shape < 30) {
        static constexpr std::string_view kWords[] = {"XXXX-XXXX-XXXX-", "************", "ending in "};
        out += kWords[random.Below(3)];
        for (int i = 0; i < 4; ++i) out += random.Digit();
        return;
    }
    if (shape < 35) {
        out += random.Below(2) ? "n/a" : "on file";
        return;
    }
    unsigned total = 0;
    for (const Network& network : kNetworks) total += network.weight;
    unsigned pick = random.Below(total);
    const Network* network = kNetworks;
    while (pick >= network->weight) pick -= network++->weight;
    std::string digits(network->prefix);
    while (digits.size() < network->length) digits += random.Digit();
    if (random.Below(100) < 97) SetCheckDigit(digits);  // the rest mistyped
    if (shape < 870) {
        out += digits;
    } else if (shape < 990) {
        const char separator = shape < 930 ? ' ' : '-';
        for (std::size_t i = 0; i < digits.size(); i += 4) {
            if (i > 0) out += separator;
            out += digits.substr(i, 4);
        }
    } else {
        out += ' ';  // a blank around it
        out += digits;
    }
}

// The CSV file's other columns, from a generator of their own, so that the SSN column draws exactly what the
// SSN list draws.
constexpr std::string_view kLastNames[] = {"Smith",  "Johnson", "Williams", "Brown",  "Jones",    "Garcia",
                                           "Miller", "Davis",   "Martinez", "Lopez",  "Anderson", "Thomas",
                                           "Nguyen", "Walker",  "Young",    "Wright"};
// A quote in a name, written doubled inside the quoted field.
constexpr std::string_view kQuotedLastNames[] = {"O\"Brien", "O\"Neil", "D\"Arcy", "O\"Hara"};
constexpr std::string_view kFirstNames[] = {"Pat",   "Mary",  "James", "Linda", "Robert", "Maria", "John", "Susan",
                                            "David", "Karen", "Ana",   "Wei",   "Omar",   "Lena",  "Tom",  "Rosa"};
constexpr std::string_view kDepartments[] = {"Sales", "Payroll", "Finance", "Warehouse", "Legal",
                                             "IT",    "Support", "Marketing"};

template <std::size_t N>
std::string_view Pick(Random& random, const std::string_view (&words)[N]) {
    return words[random.Below(N)];
}

// Leading zeros, without snprintf: ten million dates.
void AppendDigits(std::string& out, unsigned value, int width) {
    char text[10];
    for (int i = width; i-- > 0; value /= 10) text[i] = static_cast<char>('0' + value % 10);
    out.append(text, static_cast<std::size_t>(width));
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// As the field stands where it can (blanks, tabs and NUL bytes included), in quotes where it must.
void AppendField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
    } else {
        AppendQuoted(out, text);
    }
}

// Name,Born,SSN,Dept: a quoted "Last, First", a date, the SSN list's line and a word. A line the list ends with a
// carriage return ends its row with one.
void PayrollRow(std::string& row, std::string_view ssn, Random& columns) {
    const bool windows = !ssn.empty() && ssn.back() == '\r';
    if (windows) ssn.remove_suffix(1);
    std::string name(columns.Below(50) == 0 ? Pick(columns, kQuotedLastNames) : Pick(columns, kLastNames));
    name += ", ";
    name += Pick(columns, kFirstNames);
    AppendQuoted(row, name);
    row += ',';
    AppendDigits(row, columns.Between(1940, 2006), 4);
    row += '-';
    AppendDigits(row, columns.Between(1, 12), 2);
    row += '-';
    AppendDigits(row, columns.Between(1, 28), 2);
    row += ',';
    AppendField(row, ssn);
    row += ',';
    row += Pick(columns, kDepartments);
    if (windows) row += '\r';
}

using MakeLine = void (*)(std::string& out, Random& random);

struct Kind {
    std::string_view name;
    MakeLine line;
    bool payroll;  // a CSV file of those lines as its SSN column
};

constexpr Kind kKinds[] = {
    {"ssn", SsnLine, false},           {"card", CardLine, false},
    {"ssn-mixed", MixedSsnLine, false}, {"card-mixed", MixedCardLine, false},
    {"payroll", SsnLine, true},
};

// One line of a list, without its line feed.
void ListLine(std::string& line, Random& random, MakeLine make_line) {
    const unsigned rare = random.Below(100000);
    if (rare == 0) {
        AppendNoise(line, random, random.Between(260, 2000));  // longer than a text may be: read in pieces
    } else if (rare == 1) {
        make_line(line, random);
        line.insert(random.Below(static_cast<unsigned>(line.size()) + 1), 1, '\0');  // a NUL ends the text early
    } else {
        make_line(line, random);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Kind* kind = nullptr;
    for (const Kind& each : kKinds) {
        if (argc == 5 && each.name == argv[1]) kind = &each;
    }
    if (kind == nullptr) {
        std::fprintf(stderr, "usage: %s ssn|card|ssn-mixed|card-mixed|payroll LINES SEED FILE\n", argv[0]);
        return 2;
    }
    const unsigned long long lines = std::strtoull(argv[2], nullptr, 10);
    const std::uint64_t seed = std::strtoull(argv[3], nullptr, 10);
    Random random(seed);
    Random columns(~seed);
    std::FILE* file = std::fopen(argv[4], "wb");
    if (file == nullptr) {
        std::perror(argv[4]);
        return 1;
    }
    std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
    if (kind->payroll) std::fputs("Name,Born,SSN,Dept\n", file);
    std::string line;
    std::string row;
    for (unsigned long long i = 0; i < lines; ++i) {
        line.clear();
        if (kind->payroll) {
            ListLine(row, random, kind->line);
            PayrollRow(line, row, columns);
            row.clear();
        } else {
            ListLine(line, random, kind->line);
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), file);
    }
    if (std::fclose(file) != 0) {
        std::perror(argv[4]);
        return 1;
    }
    return 0;
}
