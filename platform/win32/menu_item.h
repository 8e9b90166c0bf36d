#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <vector>

namespace qv::win32 {

// One item of a menu: a caption ("&" marks the access key), a checked and an enabled state, a
// free text tag and its index within its menu array (-1 when it stands alone). A click reaches
// the window as WM_COMMAND with the item's id; check marks belong to the handlers, a click does
// not toggle them. The items of an option menu show their check as a radio dot.
class MenuItem
{
public:
    enum class Check { None, Mark, Radio };

    // Appends the item to menu. shortcut ("Ctrl+O") is shown right-aligned after the caption;
    // the key itself is the window's accelerator.
    MenuItem(HMENU menu,
        UINT id,
        const std::string &caption,
        int index,
        Check check,
        const std::string &shortcut = {});

    HMENU Menu() const { return menu_; }
    UINT Id() const { return id_; }
    int Index() const { return index_; }
    const std::string &Caption() const { return caption_; }
    void SetCaption(const std::string &caption);
    // Text shown right-aligned after the caption in place of a shortcut (what a chosen file
    // is); the caption itself stays as it is.
    const std::string &Detail() const { return detail_; }
    void SetDetail(const std::string &detail);
    bool Checked() const;
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    const std::string &Tag() const { return tag_; }
    void SetTag(const std::string &tag) { tag_ = tag; }

private:
    HMENU menu_;
    UINT id_;
    int index_;
    std::string caption_;
    std::string shortcut_;
    std::string detail_;
    std::string tag_;
};

// The items of one menu array, addressed by index.
using MenuArray = std::vector<MenuItem *>;

// The text of the item with id in menu as the menu shows it (caption, a tab and the shortcut).
std::string MenuText(HMENU menu, UINT id);

} // namespace qv::win32
