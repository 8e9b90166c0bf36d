#pragma once

#include "platform/dialog_service.h"

#include <cstdint>
#include <string>

namespace qv {

// A text prompt pre-filled with the default. An answer that reads in full as a decimal number
// and rounds (halves to even) into minimum..maximum becomes the result; Cancel, empty text,
// anything else and numbers outside the range keep the default, without a word to the user.
std::int32_t InputNumber(DialogService &dialogs,
    const std::string &prompt,
    const std::string &title,
    std::int32_t minimum,
    std::int32_t maximum,
    std::int32_t defaultValue);

} // namespace qv
