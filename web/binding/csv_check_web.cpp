// The library's CsvCheck for the package's checkCsv: JavaScript makes a check, writes each piece of the file into
// the module's input (kalderos_input) and feeds it, takes the output written so far, and at the end reads the
// counts as JSON.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kalderos/kalderos.h"

namespace kalderos::web {

std::vector<char>& Input();

namespace {

// What JavaScript reads after each call: where the output lies, how the check stands, and the rows so far.
struct CsvState {
    std::uint32_t output = 0;
    std::uint32_t output_size = 0;
    std::uint32_t status = 0;  // by CsvStatus
    std::uint32_t rows = 0;
};

CsvState g_state;
std::string g_counts;

const CsvState* StateOf(const CsvCheck& check) {
    const std::string_view output = check.Output();
    g_state = {static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(output.data())),
               static_cast<std::uint32_t>(output.size()), static_cast<std::uint32_t>(check.Status()),
               static_cast<std::uint32_t>(check.Rows())};
    return &g_state;
}

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace
}  // namespace kalderos::web

namespace kw = kalderos::web;

extern "C" {

// A check of the column numbered `column_number` from 1, or named by the first `name_size` bytes of the input
// when that is not 0; `format` by CsvOutput, `rules` by RuleSet.
EMSCRIPTEN_KEEPALIVE kalderos::CsvCheck* kalderos_csv_start(std::uint32_t cards, std::uint32_t rules,
                                                            std::uint32_t format, std::uint32_t delimiter,
                                                            std::uint32_t output_delimiter, std::uint32_t header,
                                                            std::uint32_t column_number, std::uint32_t name_size) {
    kalderos::CsvCheckOptions options;
    options.column_name = std::string_view(kw::Input().data(), name_size);
    options.column_number = column_number;
    options.delimiter = static_cast<char>(delimiter);
    options.output_delimiter = static_cast<char>(output_delimiter);
    options.header = header != 0;
    options.cards = cards != 0;
    options.rules = static_cast<kalderos::RuleSet>(rules);
    options.format = static_cast<kalderos::CsvOutput>(format);
    return new kalderos::CsvCheck(options);
}

// Feeds the first `size` bytes of the input, after the output of the last call was taken.
EMSCRIPTEN_KEEPALIVE const kw::CsvState* kalderos_csv_feed(kalderos::CsvCheck* check, std::uint32_t size) {
    check->ClearOutput();
    check->Feed(std::string_view(kw::Input().data(), size));
    return kw::StateOf(*check);
}

EMSCRIPTEN_KEEPALIVE const kw::CsvState* kalderos_csv_finish(kalderos::CsvCheck* check) {
    check->ClearOutput();
    check->Finish();
    return kw::StateOf(*check);
}

// {"message": "...", "counts": [["verdict", "valid", 3], ...]}
EMSCRIPTEN_KEEPALIVE const char* kalderos_csv_counts(const kalderos::CsvCheck* check) {
    std::string& out = kw::g_counts;
    out = "{\"message\":";
    kw::AppendJsonString(out, check->Message());
    out += ",\"counts\":[";
    std::size_t size = 0;
    const kalderos::CsvCount* counts = check->Counts(&size);
    for (std::size_t i = 0; i < size; ++i) {
        if (i != 0) out += ',';
        out += '[';
        kw::AppendJsonString(out, counts[i].what);
        out += ',';
        kw::AppendJsonString(out, counts[i].name);
        out += ',' + std::to_string(counts[i].count) + ']';
    }
    out += "]}";
    return out.c_str();
}

EMSCRIPTEN_KEEPALIVE void kalderos_csv_end(kalderos::CsvCheck* check) { delete check; }

}  // extern "C"
