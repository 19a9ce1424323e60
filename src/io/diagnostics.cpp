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

}  // namespace kalderos
