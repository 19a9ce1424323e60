// The WebAssembly module of the npm package kalderos: the library's Checker over batches of texts that
// JavaScript writes into the module's memory, each record's field values written back for JavaScript to read
// (record_values.h), and a description of the record fields and rule sets, so that the package's names come
// from the lists the program prints by.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "card/card_fields.h"
#include "console/long_option_table.h"
#include "kalderos/kalderos.h"
#include "record_values.h"
#include "ssn/ssn_fields.h"

namespace kalderos::web {
namespace {

// What JavaScript asks for: the records of an SSN or a card number.
enum class RecordKind : std::uint32_t { Ssn, Card };

// Where a batch's results lie: its field values (a record's after one another) and the text they point into.
struct Batch {
    std::uint32_t values = 0;
    std::uint32_t text = 0;
    std::uint32_t text_size = 0;
};

std::vector<char> g_input;
std::vector<FieldValue> g_values;
std::vector<char> g_text;
Batch g_batch;

const Checker& CheckerOf(RuleSet rules) {
    // One checker a set, made on its first use.
    return WithRuleSet(rules, [](auto set) -> const Checker& {
        static const Checker checker(decltype(set)::value);
        return checker;
    });
}

// The batch's texts: each ends at a NUL, which JavaScript writes after it (a text is read up to its first NUL).
template <class Check>
void ForEachText(std::uint32_t count, Check check) {
    const char* at = g_input.data();
    const char* const end = at + g_input.size();
    for (std::uint32_t i = 0; i < count && at < end; ++i) {
        const auto* nul = static_cast<const char*>(std::memchr(at, 0, static_cast<std::size_t>(end - at)));
        if (nul == nullptr) nul = end;
        check(i, std::string_view(at, static_cast<std::size_t>(nul - at)));
        at = nul + 1;
    }
}

void CheckSsns(const Checker& checker, std::uint32_t count) {
    g_values.resize(std::size_t{count} * kSsnValueCount);
    ForEachText(count, [&](std::uint32_t i, std::string_view text) {
        const SsnResult result = checker.CheckSsn(text);
        FieldValue* values = g_values.data() + std::size_t{i} * kSsnValueCount;
        for (std::size_t field = 1; field < ssn::kSsnFieldNames.size(); ++field) {
            values[field - 1] = SsnFieldValue(static_cast<ssn::SsnField>(field), result);
        }
    });
}

void CheckCards(const Checker& checker, std::uint32_t count) {
    g_values.resize(std::size_t{count} * kCardValueCount);
    g_text.resize(std::size_t{count} * kMaxCardDigits);
    std::uint32_t used = 0;
    ForEachText(count, [&](std::uint32_t i, std::string_view text) {
        const CardResult result = checker.CheckCard(text);
        const std::string_view digits = result.Digits();
        if (!digits.empty()) std::memcpy(g_text.data() + used, digits.data(), digits.size());
        FieldValue* values = g_values.data() + std::size_t{i} * kCardValueCount;
        for (std::size_t field = 1; field < card::kCardFieldNames.size(); ++field) {
            values[field - 1] = CardFieldValue(static_cast<card::CardField>(field), result, used);
        }
        used += static_cast<std::uint32_t>(digits.size());
    });
    g_batch.text_size = used;
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
}

template <std::size_t N>
void AppendNames(std::string& out, const std::array<std::string_view, N>& names) {
    out += '[';
    for (std::size_t i = 0; i < N; ++i) {
        if (i != 0) out += ',';
        AppendJsonString(out, names[i]);
    }
    out += ']';
}

std::string Description() {
    std::string out = "{\"ssnFields\":";
    AppendNames(out, ssn::kSsnFieldNames);
    out += ",\"cardFields\":";
    AppendNames(out, card::kCardFieldNames);
    // The rule sets by RuleSet, as --rules names them and --help tells them.
    out += ",\"rules\":[";
    for (std::size_t i = 0; i < kRulesValues.size(); ++i) {
        if (i != 0) out += ',';
        out += "{\"name\":";
        AppendJsonString(out, kRulesValues[i].name);
        out += ",\"help\":";
        AppendJsonString(out, kRulesValues[i].help);
        out += '}';
    }
    out += "],\"values\":{";
    for (const auto& [name, size] : {std::pair{"null", kNull}, {"false", kFalse}, {"true", kTrue}, {"inBatch", kInBatch}}) {
        if (out.back() != '{') out += ',';
        AppendJsonString(out, name);
        out += ':' + std::to_string(size);
    }
    out += "}}";
    return out;
}

}  // namespace

// The input JavaScript writes into, which checkCsv's pieces share (csv_check_web.cpp).
std::vector<char>& Input() { return g_input; }

}  // namespace kalderos::web

namespace kw = kalderos::web;

extern "C" {

// The record fields and the rule sets, as JSON.
EMSCRIPTEN_KEEPALIVE const char* kalderos_description() {
    static const std::string description = kw::Description();
    return description.c_str();
}

// Room for a batch's texts, `size` bytes, each text followed by a NUL.
EMSCRIPTEN_KEEPALIVE char* kalderos_input(std::uint32_t size) {
    kw::g_input.resize(size);
    return kw::g_input.data();
}

// Checks the first `count` texts of the input as the records of `kind` under the rule set numbered `rules`
// (by RuleSet); the values lie where the returned Batch says, until the next call.
EMSCRIPTEN_KEEPALIVE const kw::Batch* kalderos_check(std::uint32_t kind, std::uint32_t rules, std::uint32_t count) {
    const auto& checker = kw::CheckerOf(static_cast<kalderos::RuleSet>(rules));
    kw::g_batch = {};
    switch (static_cast<kw::RecordKind>(kind)) {
        case kw::RecordKind::Ssn:
            kw::CheckSsns(checker, count);
            break;
        case kw::RecordKind::Card:
            kw::CheckCards(checker, count);
            break;
    }
    kw::g_batch.values = kw::Address(reinterpret_cast<const char*>(kw::g_values.data()));
    kw::g_batch.text = kw::Address(kw::g_text.data());
    return &kw::g_batch;
}

}  // extern "C"
