// The boxed banner, the centred output it and the help screen share, and the screen clear.
#pragma once

#include <cstddef>
#include <string_view>

#include "io/output_stream.h"
#include "kalderos/kalderos.h"

namespace kalderos {

// Writes `text` after (width - length) / 2 blanks, without a line end; returns the characters written.
// A text wider than the field gets no blanks.
std::size_t PrintCentred(OutputStream& out, std::string_view text, int width);

// The banner on standard error after filler line feeds that bring the screen to 30 lines, counting the
// `lines` already on it; returns lines + 6.
unsigned PrintBanner(unsigned lines);

// The banner of a run with a long option, at a terminal: the box alone, without filler lines, in the terminal's
// characters (`utf8`: box drawing in UTF-8, else code page 437), naming the run's rules in place of the notice.
void PrintRunBanner(RuleSet rules, bool utf8);

// The lines the banner at start-up counts as already on the screen: its 25 filler line feeds push whatever the
// screen showed out of sight.
inline constexpr unsigned kLinesBeforeStartBanner = 5;

// Pushes the screen contents up with 24 line feeds on standard error.
void ClearScreen();

}  // namespace kalderos
