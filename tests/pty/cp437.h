// The banner's code-page-437 bytes as the UTF-8 characters a code-page-437 console draws for them.
#pragma once

#include <string>
#include <string_view>

namespace kalderos::test {

// Bytes above 127 other than the banner's own become '?', so that nothing passes through unnoticed.
inline std::string Cp437ToUtf8(std::string_view bytes) {
    std::string shown;
    for (const char c : bytes) {
        switch (static_cast<unsigned char>(c)) {
            case 0xBA: shown += "\u2551"; break;  // ║
            case 0xBB: shown += "\u2557"; break;  // ╗
            case 0xBC: shown += "\u255D"; break;  // ╝
            case 0xC8: shown += "\u255A"; break;  // ╚
            case 0xC9: shown += "\u2554"; break;  // ╔
            case 0xCD: shown += "\u2550"; break;  // ═
            case 0xFB: shown += "\u221A"; break;  // √
            default: shown += static_cast<unsigned char>(c) > 127 ? '?' : c;
        }
    }
    return shown;
}

}  // namespace kalderos::test
