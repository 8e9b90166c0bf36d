#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// A file of resources/ embedded in the program at build time.
struct EmbeddedResource {
    const char *type; // "PALETTES"
    const char *name; // "WOLF3D"
    const unsigned char *data;
    std::size_t size;
};

// Every embedded resource (defined by the generated source of the build).
const std::vector<EmbeddedResource> &EmbeddedResources();

// The bytes of the resource of that type and name (exact names), or nothing.
std::optional<std::vector<std::uint8_t>> LoadResourceData(
    const std::string &type, const std::string &name);

} // namespace qv
