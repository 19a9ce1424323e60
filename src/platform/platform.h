// What differs between POSIX and Windows: raw file and stream I/O, full paths, the interrupt, and the console key read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalderos::platform {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Start-up work before anything else runs: file names in the ANSI code page on Windows, SIGPIPE left to
// the write path on POSIX (a closed pipe then ends the run through the ordinary write-error path).
void PrepareProcess();

// Ctrl-C: the handler only records the interrupt and puts the platform default back, so a second Ctrl-C
// during the exit processing gets the default treatment. Blocking reads and writes return when it arrives.
void InstallInterruptHandler();
[[nodiscard]] bool InterruptRequested();

// Opens a file for reading; returns a descriptor, or -1.
[[nodiscard]] int OpenForReading(const std::string& path);
void CloseFile(int fd);

// Reads up to `size` bytes. Returns the count, 0 at the end of input, -1 on a read error. An interrupted read
// returns -1 with InterruptRequested() true.
[[nodiscard]] long ReadSome(int fd, char* buffer, std::size_t size);

// Writes all bytes, retrying short writes; false on a write error (or an interrupt).
[[nodiscard]] bool WriteAll(int fd, const char* data, std::size_t size);

[[nodiscard]] bool IsTerminal(int fd);

// The description of the last failed read or write, for messages.
[[nodiscard]] std::string LastErrorText();

// True when the last failed write found its reader gone (a closed pipe).
[[nodiscard]] bool WriteFailedOnClosedPipe();

// Resolves `name` against the current directory into an absolute path with "." and ".." steps resolved; the
// file need not exist. Empty when that cannot be done.
[[nodiscard]] std::string FullPath(std::string_view name);

// One key from the console without echo and without waiting for Return, Ctrl-C read as 3; keys without a
// character read as 0 or 224. Returns -1 when no console can be read. The console's settings are restored
// before it returns.
[[nodiscard]] int ReadConsoleKey();

// Drops whatever input is already typed but not yet read on the console.
void DiscardPendingInput();

}  // namespace kalderos::platform
