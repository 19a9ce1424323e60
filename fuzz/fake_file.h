// A list file for the harnesses of the list readers: reads of random sizes, at least one byte while any are
// left, and a read error at the end when asked for; and a regular file's descriptor, so that the block reader
// takes the fake for a file rather than a pipe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace fuzz {

struct FakeFile {
    std::string_view rest;
    std::uint64_t state;
    bool fails_at_end;

    static FakeFile* reading;  // the file Read reads
    // Never more than asked, at least one byte while any are left.
    static long Read(int /*fd*/, char* buffer, std::size_t size) {
        FakeFile& file = *reading;
        if (file.rest.empty()) return file.fails_at_end ? -1 : 0;
        file.state ^= file.state << 13;
        file.state ^= file.state >> 7;
        file.state ^= file.state << 17;
        const std::size_t limit = (file.state & 1) != 0 ? 300 : file.rest.size();
        std::size_t part = 1 + static_cast<std::size_t>((file.state >> 8) % limit);
        if (part > size) part = size;
        if (part > file.rest.size()) part = file.rest.size();
        file.rest.copy(buffer, part);
        file.rest.remove_prefix(part);
        return static_cast<long>(part);
    }
};

inline FakeFile* FakeFile::reading = nullptr;

inline int RegularFile() {
    static std::FILE* const file = std::tmpfile();
    return fileno(file);
}

}  // namespace fuzz
