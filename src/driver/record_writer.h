// Writing records field by field straight into the output buffer: TSV rows or JSON Lines objects. Nothing is
// allocated and nothing formatted through the printf family, so a long list costs no more per line than a copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "driver/long_options.h"
#include "io/output_stream.h"

namespace kalderos {

// The record's text without its line end, up to its first NUL byte as every text the program reads ends there.
// The line readers have already dropped the carriage return of a CR LF line end.
[[nodiscard]] std::string_view RecordInput(std::string_view text);

class RecordWriter {
public:
    // Room every record's fields but the input need at most: up to eight fields, names and escapes included,
    // the strings among them cut at kMaxStringField bytes (the longest place name is far shorter).
    static constexpr std::size_t kMaxStringField = 128;
    static constexpr std::size_t kFieldsRoom = 2048;

    RecordWriter(OutputStream& out, OutputFormat format) : out_(out), json_(format == OutputFormat::Jsonl) {}

    // Starts a record with its first field, the input text, escaped (written in pieces when it is long).
    void BeginWithInput(std::string_view name, std::string_view input);

    // Further fields of the record; the names appear in JSON only.
    void String(std::string_view name, std::string_view value);  // escaped
    void Number(std::string_view name, std::int32_t value, int tsv_width);  // TSV: zero-padded to the width
    void Bool(std::string_view name, bool value);
    void Null(std::string_view name);  // TSV: an empty field

    // Ends the record and its line.
    void End();

    // The TSV header row of `names`, tab-separated; JSON Lines has none.
    void Header(std::string_view names);

private:
    void Key(std::string_view name);
    char* cursor_ = nullptr;
    char* start_ = nullptr;
    OutputStream& out_;
    bool json_;
};

}  // namespace kalderos
