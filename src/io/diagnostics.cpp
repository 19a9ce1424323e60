// One-line diagnostics.
#include "io/diagnostics.h"

#include <string>

#include "io/output_stream.h"

namespace kalderos {

void Diagnose(std::string_view what, std::string_view reason) {
    // Composed whole: standard error is unbuffered, and a line written in pieces could interleave with another
    // process's on a shared stream.
    std::string line = "kalderos: ";
    line += what;
    if (!reason.empty()) {
        line += ": ";
        line += reason;
    }
    line += '\n';
    Err().Write(line);
}

std::string Quoted(std::string_view name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "'";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            quoted += "\\x";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xf];
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

}  // namespace kalderos
