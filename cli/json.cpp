#include "cli/json.h"

#include <cstdio>

namespace qv::cli {
namespace {

// Length of the well-formed UTF-8 sequence starting at text[i] (no overlong forms, no
// surrogates, nothing above U+10FFFF), 0 when there is none.
std::size_t Utf8Length(const std::string &text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

std::string Escaped(unsigned int codeUnit)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", codeUnit);
    return buffer;
}

// A byte that is no part of well-formed UTF-8 as the lone low surrogate U+DC80..U+DCFF, as
// Python's surrogateescape and os.fsencode read it back to the same byte.
constexpr unsigned int kSurrogateEscape = 0xDC00;

std::string Number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    return buffer;
}

// The mapping report's fields, null for a file without one.
std::string ReportJson(const std::optional<MappingReport> &report)
{
    if (!report) {
        return ",\"exact_percent\":null,\"mean_de2000\":null,\"max_de2000\":null";
    }
    return ",\"exact_percent\":" + Number(report->ExactPercent()) + ",\"mean_de2000\":"
        + Number(report->MeanDeltaE()) + ",\"max_de2000\":" + Number(report->maxDeltaE);
}

// The entry counts' fields, null for a file without them.
std::string EntriesJson(const std::optional<EntryCounts> &entries)
{
    if (!entries) {
        return ",\"entries_used\":null,\"entry_counts\":null";
    }
    std::string counts;
    for (std::size_t i = 0; i < entries->pixels.size(); ++i) {
        if (entries->pixels[i] > 0) {
            counts += (counts.empty() ? "\"" : ",\"") + std::to_string(i)
                + "\":" + std::to_string(entries->pixels[i]);
        }
    }
    return ",\"entries_used\":" + std::to_string(entries->Used()) + ",\"entry_counts\":{" + counts
        + "}";
}

} // namespace

std::string JsonString(const std::string &text)
{
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8Length(text, i);
            json += length == 0 ? Escaped(kSurrogateEscape + c) : text.substr(i, length);
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            json += c < 0x20 || c == 0x7F ? Escaped(c) : std::string(1, static_cast<char>(c));
        }
        ++i;
    }
    return json + "\"";
}

std::string ResultJson(const FileResult &result, bool withEntries)
{
    std::string message;
    for (const std::string &line : result.messages) {
        message += message.empty() ? line : "\n" + line;
    }
    return "{\"file\":" + JsonString(result.file) + ",\"status\":\"" + StatusName(result.status)
        + "\",\"reason\":" + (result.reason.empty() ? "null" : JsonString(result.reason))
        + ",\"message\":" + JsonString(message) + ",\"output\":"
        + (result.output.empty() ? "null" : JsonString(result.output)) + ReportJson(result.report)
        + ",\"format\":" + (result.format.empty() ? "null" : JsonString(result.format))
        + ",\"offsets\":"
        + (result.offsets ? "[" + std::to_string(result.offsets->first) + ","
                    + std::to_string(result.offsets->second) + "]"
                          : std::string("null"))
        + (withEntries ? EntriesJson(result.entries) : std::string()) + "}";
}

} // namespace qv::cli
