#pragma once

#include <cstdint>
#include <vector>

// The bitmap module's writer: wrapping an indexed image into the bytes of an 8-bit bitmap file
// (the reader is engine/remove_bmp_header.h). Failures are thrown as qv::Failure and belong to the
// caller's failure path.
namespace qv {

// Wraps an indexed image (one index per pixel, top row first, stride = width rounded up to a
// multiple of 4) and a 1024-byte palette table into a complete 8-bit bitmap file: a 54-byte
// header, the table, then the rows bottom row first with zero padding. On return pixels holds the
// file bytes. Width and height must be at least 1 (failure 5); pixels must hold exactly
// stride x height bytes and the palette 1024 (failure 9).
void AddBMPHeader(std::int32_t width,
    std::int32_t height,
    std::vector<std::uint8_t> &pixels,
    const std::vector<std::uint8_t> &palette);

} // namespace qv
