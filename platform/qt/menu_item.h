#pragma once

#include <string>
#include <vector>

#include <QAction>

namespace qv {

// One item of a menu: a caption ("&" marks the access key, "-" makes a separator), a checked
// and an enabled state, a free text tag and its index within its menu array (-1 when it
// stands alone). Check marks belong to the handlers: a click does not toggle them, it only
// raises Click with the item's index, so option menus and check items behave the same way.
class MenuItem : public QAction
{
    Q_OBJECT

public:
    MenuItem(const std::string &caption, int index, QObject *parent);

    const std::string &Caption() const { return caption_; }
    void SetCaption(const std::string &caption);
    // Text shown right-aligned after the caption, where shortcuts go (what a chosen file is);
    // the caption itself stays as it is.
    const std::string &Detail() const { return detail_; }
    void SetDetail(const std::string &detail);
    bool Checked() const { return isChecked(); }
    // Only a checkable item can carry a check mark.
    void SetChecked(bool checked) { setChecked(checked); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    const std::string &Tag() const { return tag_; }
    void SetTag(const std::string &tag) { tag_ = tag; }
    int Index() const { return index_; }

signals:
    void Click(int index);

private:
    void OnTriggered(bool checkedNow);

    void ShowText();

    std::string caption_;
    std::string detail_;
    std::string tag_;
    int index_;
};

// The items of one menu array, addressed by index.
using MenuArray = std::vector<MenuItem *>;

} // namespace qv
