// One Checker of the public interface judging every line of a list file, as a program that embeds the library
// would: `library_loop ssn|card FILE`. The list is read in chunks, like the program reads it; what the checker
// says is summed, so that no check can be left out, and the sum printed.
#include <kalderos/kalderos.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

template <class CheckLine>
bool CheckEveryLine(std::FILE* file, CheckLine check_line) {
    std::vector<char> buffer(1 << 20);
    std::size_t kept = 0;  // the start of a line that the chunk before ended in
    for (;;) {
        const std::size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file);
        const std::size_t end = kept + got;
        std::size_t start = 0;
        for (;;) {
            const void* feed = std::memchr(buffer.data() + start, '\n', end - start);
            if (feed == nullptr) break;
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(feed) - buffer.data());
            check_line(std::string_view(buffer.data() + start, at - start));
            start = at + 1;
        }
        kept = end - start;
        std::memmove(buffer.data(), buffer.data() + start, kept);
        if (got == 0) break;
        if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
    }
    if (kept != 0) check_line(std::string_view(buffer.data(), kept));
    return std::ferror(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: library_loop ssn|card FILE\n");
        return 2;
    }
    const std::string kind = argv[1];
    std::FILE* file = std::fopen(argv[2], "rb");
    if (file == nullptr) {
        std::perror(argv[2]);
        return 2;
    }
    const kalderos::Checker checker(kalderos::RuleSet::Classic);
    std::size_t sum = 0;
    const bool read = kind == "card"
        ? CheckEveryLine(file, [&](std::string_view line) {
              const kalderos::CardResult result = checker.CheckCard(line);
              sum += result.digit_count + result.outcome.size() + result.ok;
          })
        : CheckEveryLine(file, [&](std::string_view line) {
              const kalderos::SsnResult result = checker.CheckSsn(line);
              sum += static_cast<std::size_t>(result.area) + result.reason.size() + result.place.size() +
                     result.issued_by.size() + result.confirm;
          });
    std::fclose(file);
    std::printf("%zu\n", sum);
    return read ? 0 : 1;
}
