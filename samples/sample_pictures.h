#pragma once

#include <string>
#include <vector>

namespace qv::samples {

// Writes the sample pictures (knight.bmp, barrel.bmp, torch.bmp) that are missing from folder and
// returns the names written. A picture that is already there is left alone: the user may have
// converted it. A file that cannot be written throws its Failure.
std::vector<std::string> WriteMissingSamples(const std::string &folder);

} // namespace qv::samples
