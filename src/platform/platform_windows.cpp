// Windows side of the platform layer: C runtime descriptors, the console control handler, GetFullPathNameW
// and console input records.
#include "platform/platform.h"

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601  // CancelSynchronousIo
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>

#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <string>

// Arguments reach the program as typed: the MinGW start-up code must not expand wildcards in them.
extern "C" {
int _dowildcard = 0;
}

namespace kalderos::platform {
namespace {

struct ThreadStart {
    void (*body)(void* context);
    void* context;
};

unsigned __stdcall Trampoline(void* start) {
    const ThreadStart taken = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    taken.body(taken.context);
    return 0;
}

std::atomic<bool> g_interrupted{false};
std::atomic<bool> g_main_thread_reading{false};
HANDLE g_interrupt_event = nullptr;
HANDLE g_main_thread = nullptr;
int g_last_errno = 0;
DWORD g_last_system_error = 0;

// How long a console read that came back empty waits for the Ctrl-C handler: the console ends the read
// before the handler's own thread has run, and the end of the input must not be mistaken for it.
constexpr DWORD kInterruptGraceMs = 250;

// Ends a read the main thread is blocked in, such as a read of a pipe; a console read ends by itself on Ctrl-C.
// The read may only be about to start, so the cancel is tried again for a short while until it finds it.
void WakeMainThread() {
    for (int attempt = 0; attempt < 50 && g_main_thread_reading.load(); ++attempt) {
        if (CancelSynchronousIo(g_main_thread)) return;
        Sleep(10);
    }
}

// Ctrl-C only records the interrupt and wakes the main thread; the main flow then ends the run. A second
// Ctrl-C, Ctrl-Break and closing the console get the default treatment.
BOOL WINAPI OnControlEvent(DWORD event) {
    if (event != CTRL_C_EVENT || g_interrupted.exchange(true)) return FALSE;
    SetEvent(g_interrupt_event);
    WakeMainThread();
    return TRUE;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool IsConsoleHandle(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void RememberFailure() {
    g_last_errno = errno;
    g_last_system_error = GetLastError();
}

// The C runtime counts in int.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

unsigned TransferSize(std::size_t size) {
    return static_cast<unsigned>(size < kMaxTransfer ? size : kMaxTransfer);
}

}  // namespace

void PrepareProcess() {
    SetFileApisToANSI();
    // Carriage returns before line feeds are dropped by the program itself, alike on every platform, so the
    // runtime must hand over standard input untouched. Standard output and error stay text streams: a line
    // feed goes out as carriage return and line feed, as from every console program here.
    _setmode(kStandardInput, _O_BINARY);
    _setmode(kStandardOutput, _O_TEXT);
    _setmode(kStandardError, _O_TEXT);
}

bool StartThread(void (*body)(void* context), void* context, ThreadHandle& thread) {
    auto* const start = new ThreadStart{body, context};
    // The stack size is what the thread reserves, not merely what it commits at first.
    const std::uintptr_t handle = _beginthreadex(nullptr, static_cast<unsigned>(kThreadStackBytes), Trampoline, start,
                                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (handle == 0) {
        delete start;
        return false;
    }
    thread.value = handle;
    return true;
}

void JoinThread(ThreadHandle thread) {
    const auto handle = reinterpret_cast<HANDLE>(thread.value);
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
}

void KeepOutputLineEnds() { _setmode(kStandardOutput, _O_BINARY); }

void InstallInterruptHandler() {
    g_interrupt_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &g_main_thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

bool InterruptRequested() { return g_interrupted.load(); }

// In binary mode, as standard input: carriage returns and Ctrl-Z reach the program as they are.
int OpenForReading(const std::string& path) {
    if (InterruptRequested()) return -1;
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) RememberFailure();
    return fd;
}

void CloseFile(int fd) { _close(fd); }

long ReadSome(int fd, char* buffer, std::size_t size) {
    const HANDLE handle = HandleOf(fd);
    // Marked before the interrupt is looked at, so that a Ctrl-C coming in between still finds the read.
    g_main_thread_reading.store(GetFileType(handle) != FILE_TYPE_DISK);
    if (InterruptRequested()) {
        g_main_thread_reading.store(false);
        return -1;
    }
    const int got = _read(fd, buffer, TransferSize(size));
    g_main_thread_reading.store(false);
    if (got > 0) return got;
    if (got < 0) RememberFailure();
    if (g_interrupt_event != nullptr && IsConsoleHandle(handle)) {
        WaitForSingleObject(g_interrupt_event, kInterruptGraceMs);
    }
    if (InterruptRequested()) return -1;
    return got < 0 ? -1 : 0;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const unsigned chunk = TransferSize(size);
        const int put = _write(fd, data, chunk);
        // Output produced before an interrupt must still arrive whole: a write that Ctrl-C cancelled in
        // passing, meant for a read, is done again.
        if (put < 0 && GetLastError() == ERROR_OPERATION_ABORTED && InterruptRequested()) continue;
        if (put <= 0) {
            // Nothing written without an error is a full device; the runtime says so only sometimes.
            RememberFailure();
            if (put == 0) g_last_errno = ENOSPC;
            return false;
        }
        // In text mode the count is of the caller's bytes, the added carriage returns not included.
        const std::size_t done = static_cast<unsigned>(put) < chunk ? static_cast<unsigned>(put) : chunk;
        data += done;
        size -= done;
    }
    return true;
}

bool IsTerminal(int fd) { return IsConsoleHandle(HandleOf(fd)); }

bool TerminalShowsUtf8() { return GetConsoleOutputCP() == CP_UTF8; }

int UsableProcessors() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system) || process == 0) return 1;
    return std::popcount(static_cast<unsigned long long>(process));
}

bool IsRegularFile(int fd) { return GetFileType(HandleOf(fd)) == FILE_TYPE_DISK; }

bool ReadWouldWait(int fd) { return !IsRegularFile(fd); }

// An anonymous pipe's buffer is fixed when the pipe is made.
void WidenPipe(int /*fd*/, std::size_t /*bytes*/) {}

bool UnreadBytes(int fd, std::size_t count) {
    return _lseeki64(fd, -static_cast<__int64>(count), SEEK_CUR) >= 0;
}

// A zero-byte write tells whether a file may be written without writing anything; a pipe or the console is
// not tried, since a reader may take an empty write for the end of its input.
bool OpenForWriting(int fd) {
    const HANDLE handle = HandleOf(fd);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    if (GetFileType(handle) != FILE_TYPE_DISK) return true;
    DWORD written = 0;
    return WriteFile(handle, "", 0, &written, nullptr) != 0;
}

// The same file is the same volume and file index. A file opened for appending is positioned at its end by the
// command processor, so the output position tells where the output lands.
bool OutputFeedsInput(int input, int output) {
    const HANDLE in = HandleOf(input);
    const HANDLE out = HandleOf(output);
    if (GetFileType(out) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION in_info, out_info;
    if (!GetFileInformationByHandle(in, &in_info) || !GetFileInformationByHandle(out, &out_info)) return false;
    if (in_info.dwVolumeSerialNumber != out_info.dwVolumeSerialNumber ||
        in_info.nFileIndexHigh != out_info.nFileIndexHigh || in_info.nFileIndexLow != out_info.nFileIndexLow) {
        return false;
    }
    const __int64 read_at = _telli64(input);
    if (read_at < 0 || read_at >= _filelengthi64(input)) return false;  // nothing left to read
    return _telli64(output) >= read_at;
}

std::string LastErrorText() { return std::strerror(g_last_errno); }

void NoteNameTooLong() { g_last_errno = ENAMETOOLONG; }

// A write that Ctrl-C cancels is done again (see WriteAll), so none is given up.
bool WriteWasInterrupted() { return false; }

// Windows reports a reader that went away as "the pipe is being closed"; Wine as "no process is on the other
// end of the pipe".
bool WriteFailedOnClosedPipe() {
    switch (g_last_system_error) {
        case ERROR_NO_DATA:
        case ERROR_BROKEN_PIPE:
        case ERROR_PIPE_NOT_CONNECTED:
            return true;
        default:
            return g_last_errno == EPIPE;
    }
}

namespace {

// Between the ANSI code page, in which the program takes file names, and the wide characters of the path calls.
std::wstring Widen(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr,
                            nullptr);
    }
    return text;
}

}  // namespace

// The wide call, unlike the ANSI one, forms full paths longer than MAX_PATH; a name whose full path is too long
// must come back as that path, to be refused for its length, not be taken as it was given.
std::string FullPath(std::string_view name) {
    // An empty name stands for the current directory itself.
    const std::string relative = name.empty() ? std::string(".") : std::string(name);
    if (relative.find('\0') != std::string::npos) return {};
    const std::wstring wide = Widen(relative);
    if (wide.empty()) return {};
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    // A result that does not fit reports the size it needs, its terminator included.
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length >= full.size()) return {};
    }
    if (length == 0) return {};
    full.resize(length);
    return Narrow(full);
}

namespace {

constexpr int kNoKey = -2;
constexpr int kExtendedKeyLead = 224;

HANDLE g_key_console = nullptr;
DWORD g_saved_console_mode = 0;

// Ctrl-Break or closing the console while a key is awaited ends the process by default; the console's line
// input and echo must not stay off for whoever uses it next.
BOOL WINAPI RestoreConsoleBeforeDefault(DWORD) {
    SetConsoleMode(g_key_console, g_saved_console_mode);
    return FALSE;
}

HANDLE ConsoleInput() {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    return IsConsoleHandle(in) ? in : nullptr;
}

bool IsModifierKey(WORD virtual_key) {
    switch (virtual_key) {
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_CAPITAL:
        case VK_NUMLOCK:
        case VK_SCROLL:
            return true;
        default:
            return false;
    }
}

// A key without a character reads as 0, or as 224 when it is one of the separate cursor and editing keys,
// which the console marks as enhanced.
int KeyCode(const KEY_EVENT_RECORD& key) {
    if (!key.bKeyDown || IsModifierKey(key.wVirtualKeyCode)) return kNoKey;
    const unsigned char character = static_cast<unsigned char>(key.uChar.AsciiChar);
    if (character != 0) return character;
    return (key.dwControlKeyState & ENHANCED_KEY) != 0 ? kExtendedKeyLead : 0;
}

int NextKey(HANDLE in) {
    for (;;) {
        INPUT_RECORD record;
        DWORD count = 0;
        if (!ReadConsoleInputA(in, &record, 1, &count)) return -1;
        if (count != 1 || record.EventType != KEY_EVENT) continue;
        const int key = KeyCode(record.Event.KeyEvent);
        if (key != kNoKey) return key;
    }
}

}  // namespace

int ReadConsoleKey() {
    const HANDLE in = ConsoleInput();
    if (in == nullptr || !GetConsoleMode(in, &g_saved_console_mode)) return -1;
    g_key_console = in;
    SetConsoleCtrlHandler(RestoreConsoleBeforeDefault, TRUE);
    // Without processed input Ctrl-C arrives as the key 3 instead of as an interrupt.
    const DWORD raw = g_saved_console_mode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT |
                                                                 ENABLE_ECHO_INPUT);
    const int key = SetConsoleMode(in, raw) ? NextKey(in) : -1;
    SetConsoleMode(in, g_saved_console_mode);
    SetConsoleCtrlHandler(RestoreConsoleBeforeDefault, FALSE);
    return key;
}

void DiscardPendingInput() {
    if (const HANDLE in = ConsoleInput()) FlushConsoleInputBuffer(in);
}

}  // namespace kalderos::platform
