// Record-format diagnostics: one line each on standard error, with the reason the system gave.
#include "io/diagnostics.h"

#include <string>

#include "io/output_stream.h"
#include "platform/platform.h"

namespace kalderos {

void ReportFailure(std::string_view what, std::string_view subject) {
    // Composed whole: standard error is unbuffered, and a line written in pieces could interleave with another
    // process's on a shared stream.
    std::string line(what);
    line += ' ';
    line += subject;
    line += ": ";
    line += platform::LastErrorText();
    line += '\n';
    Err().Write(line);
}

}  // namespace kalderos
