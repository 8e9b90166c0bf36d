#include "common/mod_global.h"

#include "common/numbers.h"

#include <optional>

namespace qv {

std::int32_t InputNumber(DialogService &dialogs,
    const std::string &prompt,
    const std::string &title,
    std::int32_t minimum,
    std::int32_t maximum,
    std::int32_t defaultValue)
{
    const std::string answer = dialogs.InputBox(prompt, title, std::to_string(defaultValue));
    const std::optional<double> number = ParseNumber(answer);
    if (!number) {
        return defaultValue;
    }
    // A number beyond 32 bits is outside every range.
    const std::optional<std::int32_t> value = RoundToInt32(*number);
    if (!value || *value < minimum || *value > maximum) {
        return defaultValue;
    }
    return *value;
}

} // namespace qv
