#include "platform/name_length.h"

namespace qv {
namespace {

bool IsContinuation(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}

// The bytes of the character that starts at text[at]: a whole UTF-8 sequence, else one byte.
std::size_t CharacterBytes(const std::string &text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t bytes = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF                     ? 3
        : lead >= 0xF0 && lead <= 0xF4                     ? 4
                                                           : 1;
    if (at + bytes > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < bytes; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[at + k]))) {
            return 1;
        }
    }
    return bytes;
}

// What one character of that many bytes counts against the limit.
std::size_t CharacterLength(std::size_t bytes)
{
#ifdef _WIN32
    return bytes == 4 ? 2 : 1; // UTF-16 units: a pair beyond the basic plane
#else
    return bytes;
#endif
}

} // namespace

std::size_t NameLength(const std::string &name)
{
    std::size_t length = 0;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t bytes = CharacterBytes(name, at);
        length += CharacterLength(bytes);
        at += bytes;
    }
    return length;
}

std::string NameStart(const std::string &text, std::size_t length)
{
    std::size_t used = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t bytes = CharacterBytes(text, at);
        if (used + CharacterLength(bytes) > length) {
            break;
        }
        used += CharacterLength(bytes);
        at += bytes;
    }
    return text.substr(0, at);
}

} // namespace qv
