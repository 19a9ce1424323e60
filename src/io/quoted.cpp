// A name as a message shows it: no output here, so that the library's messages can use it too.
#include "io/quoted.h"

namespace kalderos {

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
