// The shipped program and the reference program (plain loops: stdio, sscanf, snprintf, step-by-step rules) on
// the same generated lists: standard output, standard error and the exit code must be the same byte for byte.
// The lists mix the usual shapes with everything a real list may hold around them, so that each fast path
// meets its edges: lines that change shape from one to the next, long lines, carriage returns, NULs, bytes
// above 127, signs, card numbers of every prefix and length with and without dashes, and odd group files.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/temp_dir_test.h"
#include "e2e/process.h"

namespace kalderos::test {
namespace {

class Lines {
public:
    explicit Lines(unsigned seed) : random_(seed) {}

    std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }
    char Digit() { return static_cast<char>('0' + Below(10)); }

    std::string Digits(std::size_t count) {
        std::string digits;
        for (std::size_t i = 0; i < count; ++i) digits += Digit();
        return digits;
    }

    // Any bytes at all, a line feed aside.
    std::string Noise(std::size_t count) {
        std::string noise;
        for (std::size_t i = 0; i < count; ++i) {
            static constexpr std::string_view kSome = "0123456789--  \t\r\0+/x\xFF\xB0";
            const char c = Below(3) == 0 ? static_cast<char>(Below(256)) : kSome[Below(kSome.size())];
            noise += c == '\n' ? ' ' : c;
        }
        return noise;
    }

    std::string SsnLine() {
        const std::string area = Digits(3);
        const std::string group = Below(10) == 0 ? "00" : Digits(2);
        const std::string serial = Below(10) == 0 ? "0000" : Digits(4);
        switch (Below(13)) {
            case 0: case 1: return area + "-" + group + "-" + serial;
            case 2: return area + Noise(Below(2)) + group + Noise(Below(2)) + serial;  // one dash, other signs
            case 3: case 4: return area + group + serial;
            case 5: return area + "-" + group + "-" + serial + "\r";
            case 6: return area + "-" + group + "-" + serial + Noise(Below(6));
            case 7: return area + group + serial + Noise(Below(6));
            case 8: return Noise(Below(4)) + area + "-" + group + "-" + serial;
            case 9: return (area + "-" + group + "-" + serial).substr(0, Below(12));
            case 10: return Noise(Below(20));
            default: return Noise(Below(600));  // pieces of 259 characters
        }
    }

    std::string CardNumber() {
        static constexpr std::string_view kStarts[] = {"300", "301", "302", "303", "304", "305", "306", "36", "38",
                                                       "34", "37", "35", "3", "4", "51", "52", "53", "54", "55",
                                                       "56", "50", "6011", "6012", "2014", "2149", "2131", "1800",
                                                       "2015", "1801", "9", "0"};
        std::string digits(kStarts[Below(std::size(kStarts))]);
        const std::size_t count = 12 + Below(7);  // 12 to 18
        while (digits.size() < count) digits += Digit();
        digits.resize(count);
        // A right check digit half of the time, for the count's own Luhn sum.
        if (Below(2) == 0) {
            int sum = 0;
            for (std::size_t i = 0; i + 1 < digits.size(); ++i) {
                int digit = digits[digits.size() - 2 - i] - '0';
                if (i % 2 == 0) digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
                sum += digit;
            }
            digits.back() = static_cast<char>('0' + (10 - sum % 10) % 10);
        }
        std::string text;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && Below(6) == 0) text += '-';
            text += digits[i];
        }
        return text;
    }

    std::string CardLine() {
        switch (Below(8)) {
            case 0: return CardNumber() + Noise(Below(4));
            case 1: return Noise(Below(3)) + CardNumber();
            case 2: return Noise(Below(40));
            case 3: return CardNumber() + "\r";
            default: return CardNumber();
        }
    }

    std::string GroupFile() {
        std::string text;
        for (std::size_t i = 0; i < 400; ++i) {
            static constexpr std::string_view kValues[] = {"0", "1", "9", "10", "98", "2", "8", "11", "99", "100",
                                                           "-1", "2147483647", "7", "12", "-2147483648"};
            text += std::to_string(Below(1000)) + " " + std::string(kValues[Below(std::size(kValues))]) +
                    (Below(5) == 0 ? " words\n" : "\n");
        }
        return text;
    }

private:
    std::mt19937 random_;
};

class AgainstReference : public TempDirTest {
protected:
    void ExpectSameRun(const std::vector<std::string>& arguments) const {
        ProcessSpec fast;
        fast.argv = {KALDEROS_BINARY};
        fast.argv.insert(fast.argv.end(), arguments.begin(), arguments.end());
        fast.cwd = dir_;
        ProcessSpec reference = fast;
        reference.argv[0] = KALDEROS_REFERENCE_BINARY;
        const ProcessResult got = RunProcess(fast);
        const ProcessResult expected = RunProcess(reference);
        ASSERT_EQ(got.exit_code, expected.exit_code);
        ASSERT_EQ(got.err, expected.err);
        ASSERT_EQ(got.out.size(), expected.out.size());
        // The first differing line says more than two long outputs.
        std::size_t line_start = 0;
        for (std::size_t i = 0; i < got.out.size(); ++i) {
            if (got.out[i] != expected.out[i]) {
                const std::size_t end = expected.out.find('\n', i);
                FAIL() << "first difference in the line " << expected.out.substr(line_start, end - line_start);
            }
            if (got.out[i] == '\n') line_start = i + 1;
        }
    }
};

std::string List(Lines& lines, std::string (Lines::*line)(), std::size_t count, bool last_line_feed) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) {
        list += (lines.*line)();
        if (i + 1 < count || last_line_feed) list += '\n';
    }
    return list;
}

TEST_F(AgainstReference, SsnLists) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        Lines lines(seed);
        const std::string list = File("ssn.txt", List(lines, &Lines::SsnLine, 20000, seed != 2));
        ExpectSameRun({"-i", list});
        // Under a long option each line whole, judged strictly.
        ExpectSameRun({"--quiet", "--fail-on-invalid", "-i", list});
    }
}

TEST_F(AgainstReference, SsnListsWithOddGroupFiles) {
    for (const unsigned seed : {4u, 5u}) {
        Lines lines(seed);
        const std::string groups = File("groups.txt", lines.GroupFile());
        const std::string list = File("ssn.txt", List(lines, &Lines::SsnLine, 20000, true));
        ExpectSameRun({"-g", groups, "-i", list});
    }
}

TEST_F(AgainstReference, CardLists) {
    for (const unsigned seed : {6u, 7u, 8u}) {
        Lines lines(seed);
        const std::string list = File("cards.txt", List(lines, &Lines::CardLine, 20000, seed != 7));
        ExpectSameRun({"-C", "-i", list});
        ExpectSameRun({"-C", "--rules=current", "-i", list});
    }
}

}  // namespace
}  // namespace kalderos::test
