// The checking loops: every text is parsed, judged and formatted straight into the output buffer.
#include "driver/check_loops.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "driver/load_group_table.h"
#include "driver/output_stream.h"
#include "driver/terminate.h"
#include "platform/platform.h"

namespace kalderos {

namespace {

// "\n%12s | %20s" with the kind text and the card text: both right-aligned, a longer text printed whole.
void PrintCardLine(OutputStream& out, const CardKind& kind, std::string_view text) {
    constexpr std::size_t kKindWidth = 12;
    constexpr std::size_t kTextWidth = 20;
    constexpr std::size_t kLead = 1 + kKindWidth + 3;  // "\n", the kind column, " | "
    const std::string_view name = kind.View();
    if (name.size() > kKindWidth || text.size() > kTextWidth) {
        out.Write("\n");
        if (name.size() < kKindWidth) out.WriteRepeated(' ', kKindWidth - name.size());
        out.Write(name);
        out.Write(" | ");
        if (text.size() < kTextWidth) out.WriteRepeated(' ', kTextWidth - text.size());
        out.Write(text);
        return;
    }
    // The usual line has a fixed size. The kind's whole buffer is copied into place, zeros behind the name
    // included; the separator and the text column are written over them.
    char* const line = out.Reserve(kLead + kTextWidth + sizeof kind.text);
    line[0] = '\n';
    std::memset(line + 1, ' ', kKindWidth);
    std::memcpy(line + 1 + kKindWidth - name.size(), kind.text.data(), sizeof kind.text);
    std::memcpy(line + 1 + kKindWidth, " | ", 3);
    std::memset(line + kLead, ' ', kTextWidth);
    std::memcpy(line + kLead + kTextWidth - text.size(), text.data(), text.size());
    out.Commit(kLead + kTextWidth);
}

}  // namespace

void RunCardLoop(TextSource& texts, RunOptions& options, CardKind& kind) {
    OutputStream& out = Out();
    while (const std::optional<std::string_view> text = texts.Next()) {
        const CardClassification classified = ClassifyCard(*text, kind);
        if (classified.length > 4) {
            PrintCardLine(out, kind, text->substr(0, classified.length));
            out.EndOfLine();
        }
    }
    if (options.list_file >= 0) platform::CloseFile(options.list_file);
    Out().Write("\n");
    TerminateRun(kExitDone);
}

void RunSsnLoop(TextSource& texts, const RunOptions& options, HighestGroupTable& table) {
    LoadHighestGroupTable(options, table);
    // The area names are built into the program; nothing is left to build here.
    Out().Write("\n");
    SsnNumber number;
    OutputStream& out = Out();
    while (const std::optional<std::string_view> text = texts.Next()) {
        ParseSsn(*text, number);
        const SsnVerdict verdict = JudgeSsn(number, table);
        char* line = out.Reserve(kMaxResultLineLength);
        out.Commit(FormatResultLine(number, verdict, table, line));
        out.EndOfLine();
    }
    TerminateRun(kExitDone);
}

}  // namespace kalderos
