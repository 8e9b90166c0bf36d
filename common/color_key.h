#pragma once

#include "common/conversion_options.h"

#include <optional>
#include <string>

namespace qv {

// What a typed or stored colour key says: valid is false for text that is none of the forms
// below; key is empty for "none" (or nothing at all).
struct ColorKeyValue {
    bool valid = false;
    std::optional<Rgb> key;
};

// "R,G,B" (each 0..255, spaces allowed around the numbers), "#RRGGBB", or "none" / empty; the
// letters in any case.
ColorKeyValue ParseColorKey(const std::string &text);

// "255,0,255", or "none" without a key: the form the settings file and the prompt show.
std::string ColorKeyText(const std::optional<Rgb> &key);

} // namespace qv
