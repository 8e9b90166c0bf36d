#include "cli/message_line.h"

#include "common/paths.h"

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

std::string OneLine(const std::string &text, const std::string &fileName)
{
    if (fileName.find_first_of("\r\n") == std::string::npos) {
        return OneLine(text);
    }
    std::string line;
    std::size_t start = 0;
    for (std::size_t at = text.find(fileName); at != std::string::npos;
         at = text.find(fileName, start)) {
        line += OneLine(text.substr(start, at - start)) + fileName;
        start = at + fileName.size();
    }
    return line + OneLine(text.substr(start));
}

std::string NamingTheFileOnce(const std::string &path, const std::string &message)
{
    if (message.find(path) != std::string::npos) {
        return message;
    }
    const std::string name = FileNameFromPath(path);
    if (!name.empty() && message.starts_with(name + " ")) {
        return path + message.substr(name.size());
    }
    return path + ": " + message;
}

std::string Printable(const std::string &text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            shown += c;
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        }
    }
    return shown;
}

std::string CutToColumns(const std::string &line, std::size_t columns)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == columns) {
            return line.substr(0, i);
        }
    }
    return line;
}

} // namespace qv::cli
