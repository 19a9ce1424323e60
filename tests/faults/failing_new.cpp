// Loaded with LD_PRELOAD by the fault tests: makes operator new fail for every allocation of the size named by
// KALDEROS_FAIL_NEW_SIZE, for every allocation larger than KALDEROS_FAIL_NEW_ABOVE, and for the one allocation
// whose number (counting from 1, every form of operator new together) is KALDEROS_FAIL_NEW_INDEX. Every other allocation behaves as usual. A failing allocation behaves
// as the runtime's does when memory runs out: the new-handler is called when one is set, and the throwing forms
// throw std::bad_alloc when none is.
#include <dlfcn.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::size_t Setting(const char* name) {
    const char* text = std::getenv(name);
    return text != nullptr ? static_cast<std::size_t>(std::strtoull(text, nullptr, 10)) : std::size_t{0};
}

// Threads that check a list allocate too: the count is shared, so each allocation has one number.
bool ShouldFail(std::size_t size) {
    static const std::size_t failing_size = Setting("KALDEROS_FAIL_NEW_SIZE");
    static const std::size_t failing_index = Setting("KALDEROS_FAIL_NEW_INDEX");
    static const std::size_t failing_above = Setting("KALDEROS_FAIL_NEW_ABOVE");
    static std::atomic<std::size_t> count{0};
    const std::size_t number = ++count;
    return size == failing_size || number == failing_index || (failing_above != 0 && size > failing_above);
}

using ThrowingNew = void* (*)(std::size_t);
using NothrowNew = void* (*)(std::size_t, const std::nothrow_t&) noexcept;

// The definitions this library hides: the C++ runtime's, or a sanitizer runtime's when the program has one.
template <typename Function>
Function Next(const char* mangled_name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, mangled_name));
}

// What the runtime does when no memory is left: the new-handler may free some or end the process; after it the
// allocation is tried once more (and now succeeds).
void* Fail(ThrowingNew next, std::size_t size) {
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
    return next(size);
}

void* FailQuietly(NothrowNew next, std::size_t size, const std::nothrow_t& tag) noexcept {
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) return nullptr;
    try {
        handler();
    } catch (...) {
        return nullptr;
    }
    return next(size, tag);
}

}  // namespace

void* operator new(std::size_t size) {
    static const ThrowingNew next = Next<ThrowingNew>("_Znwm");
    return ShouldFail(size) ? Fail(next, size) : next(size);
}

void* operator new[](std::size_t size) {
    static const ThrowingNew next = Next<ThrowingNew>("_Znam");
    return ShouldFail(size) ? Fail(next, size) : next(size);
}

void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    static const NothrowNew next = Next<NothrowNew>("_ZnwmRKSt9nothrow_t");
    return ShouldFail(size) ? FailQuietly(next, size, tag) : next(size, tag);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    static const NothrowNew next = Next<NothrowNew>("_ZnamRKSt9nothrow_t");
    return ShouldFail(size) ? FailQuietly(next, size, tag) : next(size, tag);
}
