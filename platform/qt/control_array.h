#pragma once

#include "platform/failure.h"
#include "platform/qt/twips.h"

#include <concepts>
#include <map>

#include <QWidget>

namespace qv {

// What a control needs to be a member of a ControlArray: a way to make a new control that is a
// copy of an existing one (same parent, size and properties).
template <typename T>
concept CopyableControl = std::derived_from<T, QWidget> && requires(const T &source)
{
    {
        T::CopyOf(source)
        } -> std::same_as<T *>;
};

// Like controls under one name, addressed by index. The members of the design are added as
// they are; further members are created at run time as copies of member 0, invisible until
// the host shows them. The widgets belong to their Qt parent; the array only addresses them.
template <CopyableControl T> class ControlArray
{
public:
    void AddDesignMember(int index, T *member)
    {
        if (member == nullptr || members_.contains(index)) {
            Fail(kInvalidArgument);
        }
        members_[index] = member;
    }

    // Creates member index as a copy of member 0; an index already in use is failure 5.
    T &Load(int index)
    {
        if (members_.contains(index)) {
            Fail(kInvalidArgument);
        }
        T *copy = T::CopyOf(At(0));
        copy->setVisible(false);
        members_[index] = copy;
        return *copy;
    }

    // Places member index with its top-left corner at left, top (twips, in its parent).
    void Move(int index, int left, int top) { At(index).move(TwipsPoint(left, top)); }

    // An index without a member is failure 9.
    T &At(int index) const
    {
        const auto found = members_.find(index);
        if (found == members_.end()) {
            Fail(kSubscriptOutOfRange);
        }
        return *found->second;
    }
    T &operator[](int index) const { return At(index); }

    bool Contains(int index) const { return members_.contains(index); }
    int Count() const { return static_cast<int>(members_.size()); }
    // Members in index order.
    auto begin() const { return members_.begin(); }
    auto end() const { return members_.end(); }

private:
    std::map<int, T *> members_;
};

} // namespace qv
