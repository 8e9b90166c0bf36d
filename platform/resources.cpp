#include "platform/resources.h"

namespace qv {

std::optional<std::vector<std::uint8_t>> LoadResourceData(
    const std::string &type, const std::string &name)
{
    for (const EmbeddedResource &resource : EmbeddedResources()) {
        if (type == resource.type && name == resource.name) {
            return std::vector<std::uint8_t>(resource.data, resource.data + resource.size);
        }
    }
    return std::nullopt;
}

} // namespace qv
