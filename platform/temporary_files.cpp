#include "platform/temporary_files.h"

#include "platform/files.h"
#include "platform/process.h"
#include "platform/utf8_path.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace qv {
namespace {

constexpr const char *kPrefix = ".quorvantile-";
constexpr const char *kSuffix = ".tmp";
constexpr std::size_t kRandomDigits = 16;

// The process number in a temporary name, nothing when the name is not one.
std::optional<std::int64_t> WriterOf(const std::string &name)
{
    const std::string prefix = kPrefix;
    const std::string suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0
        || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return std::nullopt;
    }
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 19
        || middle.size() - dash - 1 != kRandomDigits) {
        return std::nullopt;
    }
    std::int64_t writer = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(middle[i]))) {
            return std::nullopt;
        }
        writer = writer * 10 + (middle[i] - '0');
    }
    for (std::size_t i = dash + 1; i < middle.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(middle[i]))) {
            return std::nullopt;
        }
    }
    return writer;
}

} // namespace

std::string TemporaryPathIn(const std::string &folder)
{
    static thread_local std::mt19937_64 random {std::random_device {}()};
    char name[64];
    std::snprintf(name,
        sizeof name,
        "%s%lld-%016llx%s",
        kPrefix,
        static_cast<long long>(CurrentProcessId()),
        static_cast<unsigned long long>(random()),
        kSuffix);
    return JoinPath(folder.empty() ? "." : folder, name);
}

bool IsTemporaryName(const std::string &name)
{
    return WriterOf(name).has_value();
}

int RemoveLeftTemporaryFiles(const std::string &folder, fs::file_time_type since)
{
    std::error_code error;
    fs::directory_iterator it(Utf8Path(folder), error);
    if (error) {
        return 0;
    }
    const std::int64_t self = CurrentProcessId();
    int removed = 0;
    for (const fs::directory_entry &entry : it) {
        const std::optional<std::int64_t> writer = WriterOf(Utf8Text(entry.path().filename()));
        std::error_code ignored;
        if (!writer || !entry.is_regular_file(ignored) || entry.is_symlink(ignored)) {
            continue;
        }
        const fs::file_time_type written = entry.last_write_time(ignored);
        if (ignored || written >= since) {
            continue;
        }
        if (*writer != self && ProcessIsRunning(*writer)) {
            continue; // another run in this folder is writing it now
        }
        removed += fs::remove(entry.path(), ignored) ? 1 : 0;
    }
    return removed;
}

} // namespace qv
