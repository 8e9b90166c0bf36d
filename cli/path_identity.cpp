#include "cli/path_identity.h"

#include <filesystem>
#include <system_error>

namespace qv::cli {

std::string PathIdentity(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

} // namespace qv::cli
