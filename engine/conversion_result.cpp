#include "engine/conversion_result.h"

namespace qv {

ResizeResult ConversionResult::Status() const
{
    switch (kind) {
    case Kind::Converted:
        return ResizeResult::Converted;
    case Kind::Previewed:
        return ResizeResult::Previewed;
    case Kind::Failed:
        return ResizeResult::Failed;
    case Kind::Skipped:
        return ResizeResult::Skipped;
    case Kind::TooLarge:
    case Kind::NeedsPaletteConversion:
    case Kind::NotAPicture:
    case Kind::PaletteFailed:
    case Kind::FormatRefused:
        break;
    }
    return ResizeResult::Refused;
}

} // namespace qv
