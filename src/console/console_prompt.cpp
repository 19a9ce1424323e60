// The console prompt: the date of the area data, then the question, with no line end after it.
#include "console/console_prompt.h"

#include "io/output_stream.h"
#include "ssn/data_dates.h"

namespace kalderos {

void PrintConsolePrompt() {
    Out().Write("\nLast update of valid numbers: ");
    Out().Write(ssn::kAreaDataDate);
    Out().Write("\nInput the ssn to check: (return to end): ");
    Out().Flush();
}

}  // namespace kalderos
