#include "platform/win32/menu_item.h"

#include "platform/win32/wide_text.h"

namespace qv::win32 {

MenuItem::MenuItem(HMENU menu,
    UINT id,
    const std::string &caption,
    int index,
    Check check,
    const std::string &shortcut)
    : menu_(menu)
    , id_(id)
    , index_(index)
    , caption_(caption)
    , shortcut_(shortcut)
{
    AppendMenuW(menu_, MF_STRING, id_, L"");
    if (check == Check::Radio) {
        MENUITEMINFOW info {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_STRING | MFT_RADIOCHECK;
        SetMenuItemInfoW(menu_, id_, FALSE, &info);
    }
    SetCaption(caption);
}

void MenuItem::SetCaption(const std::string &caption)
{
    caption_ = caption;
    const std::string &right = shortcut_.empty() ? detail_ : shortcut_;
    std::wstring text = Wide(right.empty() ? caption : caption + "\t" + right);
    MENUITEMINFOW info {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    SetMenuItemInfoW(menu_, id_, FALSE, &info);
}

void MenuItem::SetDetail(const std::string &detail)
{
    detail_ = detail;
    SetCaption(caption_);
}

bool MenuItem::Checked() const
{
    return (GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuItem::SetChecked(bool checked)
{
    CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItem::Enabled() const
{
    return (GetMenuState(menu_, id_, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == 0;
}

void MenuItem::SetEnabled(bool enabled)
{
    EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::string MenuText(HMENU menu, UINT id)
{
    MENUITEMINFOW info {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (GetMenuItemInfoW(menu, id, FALSE, &info) == FALSE) {
        return {};
    }
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    GetMenuItemInfoW(menu, id, FALSE, &info);
    text.resize(info.cch);
    return Narrow(text);
}

} // namespace qv::win32
