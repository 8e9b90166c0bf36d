// The preview: converts the selected file with the current options and shows the result.
#include "app/busy_scope.h"
#include "app/session.h"
#include "engine/resize_bmp.h"
#include "platform/files.h"

#include <cstdint>

namespace qv {

void Session::RefreshPreview()
{
    if (showChoice_ != 1) {
        return;
    }
    if (files_.FileName().empty() || SuspendPreview) {
        return;
    }
    const BusyScope busy(view_);
    const std::string path = JoinPath(files_.Path(), files_.FileName());
    // The size shown is the size converted.
    std::int32_t outW = size_.Value();
    std::int32_t outH = outW;
    // A picture kept on its own table has no report: the line is emptied first.
    report_.clear();
    previewEntries_.reset();
    Tell(Change::Report);
    previewing_ = true;
    const ConversionResult result = ResizeBMP(
        *this, palette_, CurrentOptions(), path, outW, outH, ResizeDestination::Preview());
    previewing_ = false;
    ShowPreviewView(result);
}

} // namespace qv
