// The SSN text line of a text that is no number, under a long option: "SSN: ", the text as given, shown quoted,
// in the number's column, the reason as the records name it in the place's column, and "VALID=NO".
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "bytes/shown_text.h"
#include "io/output_stream.h"
#include "ssn/ssn_reason.h"

namespace kalderos {

inline constexpr std::size_t kUnreadNumberWidth = 11;  // NNN-NN-NNNN
inline constexpr std::size_t kUnreadPlaceWidth = 22;   // the widest place's column

// Everything behind the shown text and its padding: "   ", the reason padded to the place's column,
// "VALID=NO\n"; one per reason.
using UnreadTail = std::array<char, 3 + kUnreadPlaceWidth + 9>;
inline constexpr auto kUnreadTails = [] {
    std::array<UnreadTail, ssn::kSsnReasonCount> tails{};
    for (std::size_t reason = 0; reason < tails.size(); ++reason) {
        const std::string_view name = ssn::kSsnReasonNames[reason];
        constexpr std::string_view kVerdict = "VALID=NO\n";
        UnreadTail& tail = tails[reason];
        tail.fill(' ');
        for (std::size_t i = 0; i < name.size(); ++i) tail[3 + i] = name[i];
        for (std::size_t i = 0; i < kVerdict.size(); ++i) tail[3 + kUnreadPlaceWidth + i] = kVerdict[i];
    }
    return tails;
}();
static_assert(std::string_view(kUnreadTails[static_cast<std::size_t>(ssn::SsnReason::Malformed)].data(),
                               kUnreadTails[0].size()) == "   malformed             VALID=NO\n");

// Any text, however long and whatever its bytes: written in pieces.
inline void PrintAnyUnreadLine(OutputStream& out, std::string_view content, const UnreadTail& tail) {
    out.Write("SSN: ");
    bytes::ShowQuoted(content, [&out](std::string_view piece) { out.Write(piece); });
    const std::size_t shown = bytes::ShownSize(content);
    if (shown < kUnreadNumberWidth) out.WriteRepeated(' ', kUnreadNumberWidth - shown);
    out.Write({tail.data(), tail.size()});
}

// The line of `content` that the judge gave `reason`. The usual such text is short and shows as it is: a line of
// fixed pieces.
inline void PrintUnreadLine(OutputStream& out, bytes::Readable content, ssn::SsnReason reason) {
    const UnreadTail& tail = kUnreadTails[static_cast<std::size_t>(reason)];
    const std::size_t size = content.size();
    if (size > bytes::kReadAhead || !bytes::ShowsPlain(content)) {
        PrintAnyUnreadLine(out, content, tail);
        return;
    }
    constexpr std::size_t kPadding = 16;  // more than any padding a shown text needs
    static_assert(kPadding >= kUnreadNumberWidth - 2);
    char* const line = out.Reserve(6 + bytes::kReadAhead + 1 + kPadding + tail.size());
    std::memcpy(line, "SSN: \"", 6);
    std::memcpy(line + 6, content.data(), bytes::kReadAhead);
    char* end = line + 6 + size;
    *end++ = '"';
    std::memset(end, ' ', kPadding);
    end += size + 2 < kUnreadNumberWidth ? kUnreadNumberWidth - 2 - size : 0;
    std::memcpy(end, tail.data(), tail.size());
    out.Commit(static_cast<std::size_t>(end - line) + tail.size());
}

}  // namespace kalderos
