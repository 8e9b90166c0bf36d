#pragma once

#include "engine/loaded_image.h"
#include "platform/readable_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// A name ending in ".pcx", in any case.
bool HasPcxExtension(const std::string &path);

// Reads a PCX picture into image: 8 bits in one plane with the 256-colour table after its 0x0C
// mark as 8-bit indices with that table, 8 bits in three planes (red, green, blue) as 24-bit
// pixels. Rows are decoded run-length (or stored, encoding 0) as one stream, as writers let runs
// cross lines. Returns the refusal, empty when the picture is taken: "PCX too large" when a side
// is above largestSize (from the header, before anything else is read), "PCX of B bit(s) in
// P plane(s) not supported" for every other layout, "PCX 8-bit picture without its 256-colour
// palette". Bytes that are no PCX picture, whose lines are shorter than its width or more than 32
// bytes longer, or that end before its rows, throw a Failure saying so. The file is read in two
// pieces, the rows and the table at its end, so a file of any length costs no more than its
// picture.
std::string DecodePcx(ReadableFile &file, std::int32_t largestSize, LoadedImage &image);

} // namespace qv
