#include "cli/path_identity.h"

#include "platform/file_identity.h"

namespace qv::cli {

std::string PathIdentity(const std::string &path)
{
    return FileIdentity(path);
}

} // namespace qv::cli
