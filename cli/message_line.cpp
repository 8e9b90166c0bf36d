#include "cli/message_line.h"

namespace qv::cli {

std::string OneLine(const std::string &text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            line += ": ";
        } else {
            line += text[i];
        }
    }
    return line;
}

} // namespace qv::cli
