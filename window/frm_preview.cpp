// The preview: converts the selected file with the current options and shows the result.
#include "common/numbers.h"
#include "engine/resize_bmp.h"
#include "platform/files.h"
#include "platform/qt/mouse_pointer.h"
#include "window/frm.h"

#include <cstdint>

namespace qv {

void frm::RefreshPreview()
{
    if (!optShow[1]->isChecked()) {
        return;
    }
    if (File->FileName().empty() || SuspendPreview) {
        return;
    }
    const BusyPointer busy;
    const std::string path = JoinPath(File->Path(), File->FileName());
    // The size shown is the size converted: the label, not a copy of it, is the square's side.
    std::int32_t outW = RoundToInt32(LeadingNumber(lblSize->Caption())).value_or(0);
    std::int32_t outH = outW;
    // A picture kept on its own table has no report: the line is emptied first.
    lblReport->SetCaption("");
    previewing_ = true;
    ResizeBMP(*this, palette_, CurrentOptions(), path, outW, outH, ResizeDestination::Preview());
    previewing_ = false;
}

} // namespace qv
