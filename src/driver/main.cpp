// Program entry: everything happens in the run driver, which ends the process with the run's exit code.
#include "driver/run_program.h"

int main(int argc, char** argv) { kalderos::RunProgram(argc, argv); }
