#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace qv::win32 {

// A plain-text label (a static control: "&" is an ordinary character, for paths) with a free
// text tag. A click on it reaches the parent as STN_CLICKED.
class Label
{
public:
    enum class Style { Plain, Value, PlainWithBorder };

    // Plain: text at the left, centred vertically. Value: text centred both ways, inside a
    // single-line border. PlainWithBorder: as Plain, inside the border.
    Label(HWND parent, int id, const std::string &caption, Style style);

    HWND Handle() const { return window_; }
    std::string Caption() const;
    void SetCaption(const std::string &caption);
    const std::string &Tag() const { return tag_; }
    void SetTag(const std::string &tag) { tag_ = tag; }

private:
    HWND window_ = nullptr;
    std::string tag_;
};

// The text of any window (caption of a window, a button, a frame, a label), as UTF-8.
std::string WindowText(HWND window);

} // namespace qv::win32
