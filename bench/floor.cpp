// The least any checker of a list must do: read the file in large blocks, find every line end, and write one
// result line per input line through a large output buffer, as many bytes a line as the format measured writes
// (a fraction spread over the lines: 49.5 writes 49 and 50 in turn). Nothing is parsed or judged.
//
//   floor RESULT_BYTES FILE > /dev/null
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 17;

bool WriteAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(1, data, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RESULT_BYTES FILE\n", argv[0]);
        return 2;
    }
    const double bytes_a_line = std::strtod(argv[1], nullptr);
    const int fd = ::open(argv[2], O_RDONLY);
    if (fd < 0 || !(bytes_a_line >= 1 && bytes_a_line <= 4096)) {
        std::perror(argv[2]);
        return 1;
    }
    // The fraction in 1/256ths of a byte: a line writes one byte more whenever the carried parts add up to one.
    const auto whole = static_cast<std::size_t>(bytes_a_line);
    const auto part = static_cast<unsigned>((bytes_a_line - static_cast<double>(whole)) * 256);
    unsigned carried = 0;
    std::vector<char> result(whole + 1, 'x');
    const auto next_size = [&] {
        carried += part;
        const std::size_t extra = carried >> 8;
        carried &= 255;
        return whole + extra;
    };

    std::vector<char> in(kBlock);
    std::vector<char> out(kBlock);
    std::size_t used = 0;
    std::size_t kept = 0;  // bytes of an unfinished line carried to the front of the buffer
    for (;;) {
        const ssize_t got = ::read(fd, in.data() + kept, in.size() - kept);
        if (got < 0) {
            if (errno == EINTR) continue;
            std::perror(argv[2]);
            return 1;
        }
        const char* pos = in.data();
        const char* const end = in.data() + kept + got;
        if (got == 0) {
            if (kept == 0) break;
            kept = 0;  // a last line without its line end still counts
        } else {
            while (const void* found = std::memchr(pos, '\n', static_cast<std::size_t>(end - pos))) {
                pos = static_cast<const char*>(found) + 1;
                if (out.size() - used < result.size()) {
                    if (!WriteAll(out.data(), used)) return 3;
                    used = 0;
                }
                const std::size_t size = next_size();
                std::memcpy(out.data() + used, result.data(), size);
                out[used + size - 1] = '\n';
                used += size;
            }
            kept = static_cast<std::size_t>(end - pos);
            if (kept == in.size()) kept = 0;  // a line longer than the block: count it as one
            std::memmove(in.data(), pos, kept);
            continue;
        }
        if (out.size() - used < result.size()) {
            if (!WriteAll(out.data(), used)) return 3;
            used = 0;
        }
        const std::size_t size = next_size();
        std::memcpy(out.data() + used, result.data(), size);
        out[used + size - 1] = '\n';
        used += size;
    }
    return WriteAll(out.data(), used) ? 0 : 3;
}
