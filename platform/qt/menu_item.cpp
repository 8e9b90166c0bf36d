#include "platform/qt/menu_item.h"

namespace qv {

MenuItem::MenuItem(const std::string &caption, int index, QObject *parent)
    : QAction(parent)
    , index_(index)
{
    SetCaption(caption);
    connect(this, &QAction::triggered, this, &MenuItem::OnTriggered);
}

void MenuItem::SetCaption(const std::string &caption)
{
    caption_ = caption;
    // A separator with text would be drawn as a section heading.
    setSeparator(caption == "-");
    ShowText();
}

void MenuItem::SetDetail(const std::string &detail)
{
    detail_ = detail;
    ShowText();
}

void MenuItem::ShowText()
{
    // A menu shows what follows a tab right-aligned, in the column of shortcuts.
    const std::string text = detail_.empty() ? caption_ : caption_ + "\t" + detail_;
    setText(isSeparator() ? QString() : QString::fromStdString(text));
}

void MenuItem::OnTriggered(bool checkedNow)
{
    // Qt has already toggled a checkable item; undo that so the handler alone decides.
    if (isCheckable()) {
        setChecked(!checkedNow);
    }
    emit Click(index_);
}

} // namespace qv
