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

} // namespace

std::string NameStart(const std::string &text, std::size_t length)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t bytes = CharacterBytes(text, at);
        if (at + bytes > length) {
            break;
        }
        at += bytes;
    }
    return text.substr(0, at);
}

} // namespace qv
