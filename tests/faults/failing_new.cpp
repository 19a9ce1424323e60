// Loaded with LD_PRELOAD by the fault tests: the nothrow forms of operator new fail for every allocation of the
// size named by KALDEROS_FAIL_NEW_SIZE, and behave as usual for every other size.
#include <dlfcn.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::size_t FailingSize() {
    static const std::size_t size = [] {
        const char* text = std::getenv("KALDEROS_FAIL_NEW_SIZE");
        return text != nullptr ? static_cast<std::size_t>(std::strtoull(text, nullptr, 10)) : std::size_t{0};
    }();
    return size;
}

using NothrowNew = void* (*)(std::size_t, const std::nothrow_t&) noexcept;

// The definition this library hides: the C++ runtime's, or a sanitizer runtime's when the program has one.
NothrowNew Next(const char* mangled_name) { return reinterpret_cast<NothrowNew>(::dlsym(RTLD_NEXT, mangled_name)); }

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    static const NothrowNew next = Next("_ZnwmRKSt9nothrow_t");
    return size == FailingSize() ? nullptr : next(size, tag);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    static const NothrowNew next = Next("_ZnamRKSt9nothrow_t");
    return size == FailingSize() ? nullptr : next(size, tag);
}
