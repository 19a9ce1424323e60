// The record printers on any input text (every byte but NUL, which ends a text the program reads): each record
// kind in each format, printed into a memory file through the program's own output stream, then read back.
// A TSV record is one line with as many fields as the header, and its input field unescaped gives the input
// back; a JSON record is one line, a strictly valid JSON object of the kind's fields in order, each a string,
// null, true or false, and its "input" string decoded (\u00XX standing for the byte XX) gives the input back.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bytes/byte_vectors.h"
#include "card/card_fields.h"
#include "card/card_outcome.h"
#include "card/written_card.h"
#include "fuzz_check.h"
#include "io/output_stream.h"
#include "kalderos/kalderos.h"
#include "records/record_printers.h"
#include "ssn/ssn_judgement.h"
#include "ssn/ssn_rules.h"

namespace {

using kalderos::record::JsonlSyntax;
using kalderos::record::TsvSyntax;

// A strict reader of one JSON value of the kinds a record holds.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // The decoded string at the cursor, each code point a byte (the printers escape every byte over 0x7E as
    // \u00XX); nothing when the text there is no valid JSON string.
    std::optional<std::string> String() {
        if (!Take('"')) return std::nullopt;
        std::string value;
        while (at_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[at_++]);
            if (c == '"') return value;
            if (c < 0x20 || c > 0x7E) return std::nullopt;  // raw control bytes are not JSON; the rest is ASCII
            if (c != '\\') {
                value += static_cast<char>(c);
                continue;
            }
            if (at_ >= text_.size()) return std::nullopt;
            const char escape = text_[at_++];
            const char* const simple = std::strchr("\"\\/bfnrt", escape);
            if (simple != nullptr && escape != '\0') {
                value += "\"\\/\b\f\n\r\t"[simple - "\"\\/bfnrt"];
            } else if (escape == 'u') {
                const std::optional<unsigned> code = Hex4();
                if (!code || *code > 0xFF) return std::nullopt;
                value += static_cast<char>(*code);
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    // A string, null, true or false.
    bool Value() {
        if (at_ < text_.size() && text_[at_] == '"') return String().has_value();
        for (const std::string_view word : {"null", "true", "false"}) {
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                return true;
            }
        }
        return false;
    }

    bool Take(char c) {
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }

    [[nodiscard]] bool AtEnd() const { return at_ == text_.size(); }

private:
    std::optional<unsigned> Hex4() {
        if (at_ + 4 > text_.size()) return std::nullopt;
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            const char* const digit = std::strchr("0123456789abcdefABCDEF", c);
            if (digit == nullptr || c == '\0') return std::nullopt;
            const auto value = static_cast<unsigned>(digit - "0123456789abcdefABCDEF");
            code = code * 16 + (value < 16 ? value : value - 6);
        }
        return code;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

// One JSON record line: the fields `names` in order, its input decoded back to `input`.
template <std::size_t N>
void CheckJson(std::string_view line, const std::array<std::string_view, N>& names, std::string_view input) {
    FUZZ_REQUIRE(!line.empty() && line.back() == '\n');
    line.remove_suffix(1);
    FUZZ_REQUIRE(line.find('\n') == std::string_view::npos);
    JsonReader reader(line);
    FUZZ_REQUIRE(reader.Take('{'));
    for (std::size_t field = 0; field < N; ++field) {
        if (field > 0) FUZZ_REQUIRE(reader.Take(','));
        const std::optional<std::string> name = reader.String();
        FUZZ_REQUIRE(name && *name == names[field]);
        FUZZ_REQUIRE(reader.Take(':'));
        if (field == 0) {
            const std::optional<std::string> value = reader.String();
            FUZZ_REQUIRE(value && *value == input);
        } else {
            FUZZ_REQUIRE(reader.Value());
        }
    }
    FUZZ_REQUIRE(reader.Take('}'));
    FUZZ_REQUIRE(reader.AtEnd());
}

// The TSV header and one record: as many fields as the header, the input field unescaped back to `input`.
template <std::size_t N>
void CheckTsv(std::string_view text, const std::array<std::string_view, N>& names, std::string_view input) {
    std::string header;
    for (const std::string_view name : names) header += std::string(header.empty() ? "" : "\t") + std::string(name);
    header += '\n';
    FUZZ_REQUIRE(text.substr(0, header.size()) == header);
    std::string_view record = text.substr(header.size());
    FUZZ_REQUIRE(!record.empty() && record.back() == '\n');
    record.remove_suffix(1);
    FUZZ_REQUIRE(record.find('\n') == std::string_view::npos && record.find('\r') == std::string_view::npos);
    std::size_t tabs = 0;
    for (const char c : record) tabs += c == '\t' ? 1 : 0;
    FUZZ_REQUIRE(tabs + 1 == N);
    std::string unescaped;
    const std::string_view field = record.substr(0, record.find('\t'));
    for (std::size_t at = 0; at < field.size(); ++at) {
        if (field[at] != '\\') {
            unescaped += field[at];
            continue;
        }
        FUZZ_REQUIRE(at + 1 < field.size());
        const char escape = field[++at];
        FUZZ_REQUIRE(escape == '\\' || escape == 't' || escape == 'n' || escape == 'r');
        unescaped += escape == '\\' ? '\\' : escape == 't' ? '\t' : escape == 'n' ? '\n' : '\r';
    }
    FUZZ_REQUIRE(unescaped == input);
}

// A memory file that the program's output stream writes to, read back after each record.
class Capture {
public:
    Capture() : fd_(::memfd_create("records", 0)), stream_(fd_, std::size_t{1} << 16) { FUZZ_REQUIRE(fd_ >= 0); }

    kalderos::OutputStream& Stream() { return stream_; }

    // What was written since the last call.
    std::string Take() {
        FUZZ_REQUIRE(stream_.Flush());
        const off_t size = ::lseek(fd_, 0, SEEK_CUR);
        std::string text(static_cast<std::size_t>(size), '\0');
        FUZZ_REQUIRE(::pread(fd_, text.data(), text.size(), 0) == size);
        FUZZ_REQUIRE(::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0);
        return text;
    }

private:
    int fd_;
    kalderos::OutputStream stream_;
};

kalderos::HighestGroupTable* Table() {
    static kalderos::HighestGroupTable table = [] {
        kalderos::HighestGroupTable built{};
        kalderos::FillFromBuiltinGroupList(built);
        return built;
    }();
    return &table;
}

template <class Syntax, kalderos::RuleSet kSet>
std::string SsnRecords(Capture& capture, kalderos::bytes::Readable input, bool header) {
    static const kalderos::ssn::MadeSsnRules rules(*Table(), kSet);
    static const kalderos::ssn::SsnJudge judge(rules);
    kalderos::record::SsnRecordPrinter<Syntax> printer(capture.Stream());
    if (header) printer.Header();
    printer.Print(input, judge.JudgeAs<kSet>(input));
    return capture.Take();
}

template <class Syntax, kalderos::RuleSet kRules>
std::string CardRecords(Capture& capture, kalderos::bytes::Readable input, bool header) {
    kalderos::record::CardRecordPrinter<Syntax, kRules> printer(capture.Stream());
    if (header) printer.Header();
    kalderos::card::WrittenCopy copy;
    printer.Print(input, kalderos::card::ClassifyAsWritten<kRules>(input, copy));
    return capture.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Capture capture;
    const std::size_t length = std::find(data, data + size, std::uint8_t{0}) - data;
    // The input with room behind it, as every text has.
    std::vector<char> buffer(length + kalderos::bytes::kReadAhead, '\0');
    if (length > 0) std::memcpy(buffer.data(), data, length);
    const auto input = kalderos::bytes::Readable::WithRoomBehind(buffer.data(), length);

    using kalderos::RuleSet;
    CheckTsv(SsnRecords<TsvSyntax, RuleSet::Classic>(capture, input, true), kalderos::ssn::kSsnFieldNames, input);
    CheckJson(SsnRecords<JsonlSyntax, RuleSet::Classic>(capture, input, false), kalderos::ssn::kSsnFieldNames, input);
    CheckTsv(SsnRecords<TsvSyntax, RuleSet::Current>(capture, input, true), kalderos::ssn::kSsnFieldNames, input);
    CheckJson(SsnRecords<JsonlSyntax, RuleSet::Current>(capture, input, false), kalderos::ssn::kSsnFieldNames, input);
    CheckTsv(CardRecords<TsvSyntax, RuleSet::Classic>(capture, input, true), kalderos::card::kCardFieldNames, input);
    CheckJson(CardRecords<JsonlSyntax, RuleSet::Classic>(capture, input, false), kalderos::card::kCardFieldNames, input);
    CheckTsv(CardRecords<TsvSyntax, RuleSet::Current>(capture, input, true), kalderos::card::kCardFieldNames, input);
    CheckJson(CardRecords<JsonlSyntax, RuleSet::Current>(capture, input, false), kalderos::card::kCardFieldNames, input);
    return 0;
}
