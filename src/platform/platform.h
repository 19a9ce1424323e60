// What differs between POSIX and Windows: raw file and stream I/O, full paths, the interrupt, and the console key read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kalderos::platform {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Start-up work before anything else runs: file names in the ANSI code page on Windows, SIGPIPE and SIGXFSZ
// left to the write path on POSIX (a closed pipe or a file-size limit then ends the run through the ordinary
// write-error path), large buffers given back to the system when freed, and with the GNU C library one
// allocator arena for every thread, where each thread would otherwise reserve 64 MiB of address space for an
// arena of its own.
void PrepareProcess();

// The stack of a thread StartThread starts: a list's threads go no deeper than a few kilobytes, and every thread
// takes its stack from the address space of a run with --jobs (std::thread would take the system's default, 8
// MiB under Linux).
inline constexpr std::size_t kThreadStackBytes = std::size_t{256} << 10;

struct ThreadHandle {
    std::uintptr_t value = 0;
};

// Starts `body(context)` on a thread with a stack of kThreadStackBytes; false when no thread can be started.
[[nodiscard]] bool StartThread(void (*body)(void* context), void* context, ThreadHandle& thread);
// Waits until the thread has ended.
void JoinThread(ThreadHandle thread);

// Ctrl-C: the handler only records the interrupt and puts the platform default back, so a second Ctrl-C
// during the exit processing gets the default treatment. Blocking reads and writes return when it arrives.
// A run started with the interrupt ignored (a background job of a script) leaves it ignored: the Ctrl-C is
// meant for the job in the foreground.
void InstallInterruptHandler();
[[nodiscard]] bool InterruptRequested();

// Opens a file for reading; returns a descriptor, or -1. An open that waits (a FIFO without a writer) gives
// up with -1 when Ctrl-C arrives, as does one begun after it.
[[nodiscard]] int OpenForReading(const std::string& path);
void CloseFile(int fd);

// Reads up to `size` bytes. Returns the count, 0 at the end of input, -1 on a read error. An interrupted read,
// and any read once Ctrl-C has been pressed, returns -1 with InterruptRequested() true.
[[nodiscard]] long ReadSome(int fd, char* buffer, std::size_t size);

// Writes all bytes, retrying short writes and waiting while a non-blocking output is full; false on a write
// error. After Ctrl-C, whether it came before the write or during it, the write goes on while the reader takes
// data and gives up (WriteWasInterrupted) only on a reader that has stopped taking any.
[[nodiscard]] bool WriteAll(int fd, const char* data, std::size_t size);

[[nodiscard]] bool IsTerminal(int fd);

// Whether a terminal shows UTF-8: on POSIX, the character set of the locale LC_ALL, LC_CTYPE or LANG names, as the
// C library reads them; on Windows, the console's output code page.
[[nodiscard]] bool TerminalShowsUtf8();

// From here on standard output gets every byte as written: where it is a text stream (Windows), no carriage
// return goes out before a line feed, so that CSV rows keep the line ends of the file they came from.
void KeepOutputLineEnds();

// True when a read of `fd` would wait for its input to arrive (a pipe, a FIFO or a terminal with nothing to
// read yet); false for a file on disk. Where that cannot be told cheaply, true for everything but a file.
[[nodiscard]] bool ReadWouldWait(int fd);

// The processors the process may run on (its CPU affinity mask), at least 1.
[[nodiscard]] int UsableProcessors();

// True for a regular file on disk, which can be read ahead and wound back.
[[nodiscard]] bool IsRegularFile(int fd);

// Asks for a pipe's buffer to hold `bytes`, so that a writer and a reader on other cores trade fewer, larger
// pieces; a file, a terminal, a platform without the request or a refusal leaves everything as it was.
void WidenPipe(int fd, std::size_t bytes);

// Moves the read position of a regular file `count` bytes back; false when it cannot.
[[nodiscard]] bool UnreadBytes(int fd, std::size_t count);

// True when `fd` is open for writing; a closed standard output, or one opened for reading only, is not.
[[nodiscard]] bool OpenForWriting(int fd);

// True when `output` is the very file `input` reads (a regular file) and what is written would land at or
// behind the part not yet read, so that the run would read its own output.
[[nodiscard]] bool OutputFeedsInput(int input, int output);

// The description of the last failed read or write, for messages.
[[nodiscard]] std::string LastErrorText();

// Makes the last failure a name too long, in the system's words, for a name refused by the program's own limit.
void NoteNameTooLong();

// True when the last failed write found its reader gone (a closed pipe).
[[nodiscard]] bool WriteFailedOnClosedPipe();

// True when the last failed write was given up because Ctrl-C arrived while it waited.
[[nodiscard]] bool WriteWasInterrupted();

// Resolves `name` against the current directory into an absolute path with "." and ".." steps resolved, for
// messages; the file need not exist; the result may be of any length. A ".." leads where the system's own
// resolution leads (on POSIX, up from the target of a symbolic link); where that cannot be known (a directory
// that does not exist) the rest of the name is kept as written. Empty when the current directory is needed and
// cannot be had (it has been removed, say).
[[nodiscard]] std::string FullPath(std::string_view name);

// One key from the console without echo and without waiting for Return, Ctrl-C read as 3; keys without a
// character read as 0 or 224. Returns -1 when no console can be read. An interrupt from outside while it waits
// reads as Ctrl-C. The console's settings are restored before it returns, and before the process ends by a
// signal that arrives while it waits.
[[nodiscard]] int ReadConsoleKey();

// Drops whatever input is already typed but not yet read on the console.
void DiscardPendingInput();

}  // namespace kalderos::platform
