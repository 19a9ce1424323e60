// The text line of one text as the list loop makes it: judged leniently on the judge's carried number, where
// bytes (`after`) follow it that must not count, and printed.
#pragma once

#include <string>
#include <string_view>

#include "kalderos/kalderos.h"
#include "ssn/result_line.h"
#include "ssn/ssn_judgement.h"

namespace kalderos::test {

template <RuleSet kSet = RuleSet::Classic>
std::string JudgedLine(ssn::SsnJudge& judge, std::string_view text, char after = '\0') {
    std::string buffer(text);
    buffer.append(bytes::kReadAhead, after);
    char line[kMaxResultLineLength];
    const auto readable = bytes::Readable::WithRoomBehind(buffer.data(), text.size());
    return {line, ssn::PrintCarriedLineAs<kSet>(judge, readable, line)};
}

}  // namespace kalderos::test
