#pragma once

#include "common/conversion_options.h"
#include "engine/preview_picture.h"

#include <cstdint>

namespace qv {

// How the preview box shows a result of outW x outH (after rescaling) under a scaling option.
// The scaled sizes fill a 3840-twip square (256 pixels at 15 twips per pixel), stretched: after a
// successful rescale 64 x 64 is drawn 4 times enlarged, 128 x 128 twice, 32 x 32 eight times. Under
// None a result of at most 64 x 64 is stretched to outW x 60 twips; a larger one is shown at its
// own size.
PreviewBox PreviewBoxFor(Scaling scaling, std::int32_t outW, std::int32_t outH);

} // namespace qv
