#include "platform/win32/label.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace qv::win32 {
namespace {

DWORD StaticStyle(Label::Style style)
{
    // SS_NOTIFY: the label is clickable; SS_CENTERIMAGE centres one line vertically.
    const DWORD common = SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE;
    switch (style) {
    case Label::Style::Value:
        return common | SS_CENTER | WS_BORDER;
    case Label::Style::PlainWithBorder:
        return common | SS_LEFT | WS_BORDER;
    case Label::Style::Plain:
        break;
    }
    return common | SS_LEFT;
}

} // namespace

Label::Label(HWND parent, int id, const std::string &caption, Style style)
    : window_(CreateControl(parent, WC_STATICW, Wide(caption), StaticStyle(style), id))
{ }

std::string Label::Caption() const
{
    return WindowText(window_);
}

void Label::SetCaption(const std::string &caption)
{
    SetWindowTextW(window_, Wide(caption).c_str());
}

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Narrow(text);
}

} // namespace qv::win32
