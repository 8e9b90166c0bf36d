#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::cli {

// The square the window's Find Minimum would choose after showing each of the pictures: the
// smallest permitted size starts at 32 and each picture lowers it as showing it does (even one
// that is refused, with the sides that were read); the size is the largest side of the pictures
// that load, clamped to [smallest permitted, 512] and rounded up to a multiple of 4. Nothing is
// reported: a picture that does not load is reported when its conversion refuses it.
std::int32_t FindMinimumSquare(const std::vector<std::string> &pictures);

} // namespace qv::cli
