#include "common/key_placement.h"

#include "common/numbers.h"
#include "platform/failure.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

namespace qv {

std::optional<std::int32_t> KeyNameNumber(const std::string &name)
{
    const std::optional<double> value = ParseNumber(name);
    if (!value || std::isnan(*value)) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(*value);
    if (rounded <= std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

bool WalkStopsAt(const std::string &name,
    std::optional<std::int32_t> number,
    const std::string &existing,
    std::optional<std::int32_t> existingNumber)
{
    if (number) {
        return !existingNumber || *existingNumber > *number;
    }
    // std::string compares as unsigned bytes: the ordinal order of character codes.
    return existing > name;
}

void KeyPlacement::Add(INIKey key)
{
    // The tree addresses its nodes with 32 bits.
    if (keys_.size() >= kNone) {
        Fail(kOutOfMemory);
    }
    keys_.push_back(std::move(key));
}

std::vector<INIKey> KeyPlacement::Take()
{
    const std::vector<std::uint32_t> byName = MakeNodes();
    const auto numeric =
        std::count_if(nodes_.begin(), nodes_.end(), [](const Node &n) { return n.numeric; });
    // Names all of one kind always stand sorted, equal ones in the order read: the walk is then
    // a stable sort. Only mixed names need the tree.
    std::vector<std::uint32_t> order;
    if (numeric == 0) {
        order = byName;
    } else if (static_cast<std::size_t>(numeric) == nodes_.size()) {
        order.resize(nodes_.size());
        std::iota(order.begin(), order.end(), 0U);
        std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
            return nodes_[a].number < nodes_[b].number;
        });
    } else {
        order = TreeOrder();
    }
    std::vector<INIKey> keys;
    keys.reserve(keys_.size());
    for (const std::uint32_t at : order) {
        keys.push_back(std::move(keys_[at]));
    }
    keys_.clear();
    nodes_.clear();
    root_ = kNone;
    return keys;
}

std::vector<std::uint32_t> KeyPlacement::MakeNodes()
{
    const auto count = static_cast<std::uint32_t>(keys_.size());
    nodes_.assign(count, Node {});
    std::vector<std::uint32_t> byName(count);
    // xorshift32: priorities only need to be independent of the names.
    std::uint32_t seed = 28;
    for (std::uint32_t i = 0; i < count; ++i) {
        byName[i] = i;
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        nodes_[i].priority = seed;
        if (const std::optional<std::int32_t> number = KeyNameNumber(keys_[i].Name)) {
            nodes_[i].numeric = true;
            nodes_[i].number = *number;
        }
    }
    std::stable_sort(byName.begin(), byName.end(), [this](std::uint32_t a, std::uint32_t b) {
        return keys_[a].Name < keys_[b].Name;
    });
    std::uint32_t rank = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i > 0 && keys_[byName[i - 1]].Name != keys_[byName[i]].Name) {
            ++rank;
        }
        nodes_[byName[i]].rank = rank;
    }
    return byName;
}

std::vector<std::uint32_t> KeyPlacement::TreeOrder()
{
    for (std::uint32_t node = 0; node < nodes_.size(); ++node) {
        Insert(node);
    }
    std::vector<std::uint32_t> order;
    order.reserve(nodes_.size());
    // In-order walk of the tree with a stack of the nodes whose left side is being visited.
    std::vector<std::uint32_t> pending;
    std::uint32_t at = root_;
    while (at != kNone || !pending.empty()) {
        while (at != kNone) {
            pending.push_back(at);
            at = nodes_[at].left;
        }
        at = pending.back();
        pending.pop_back();
        order.push_back(at);
        at = nodes_[at].right;
    }
    return order;
}

void KeyPlacement::Insert(std::uint32_t node)
{
    Update(node);
    root_ = InsertAt(root_, node, PlaceOf(node));
}

std::uint32_t KeyPlacement::InsertAt(std::uint32_t subtree, std::uint32_t node, std::uint32_t place)
{
    if (subtree == kNone) {
        return node;
    }
    Node &s = nodes_[subtree];
    // The new node takes the subtree's place when its priority is higher: what stood there is
    // split around it. Otherwise it goes down on the side its place lies.
    if (nodes_[node].priority > s.priority) {
        Split(subtree, place, nodes_[node].left, nodes_[node].right);
        Update(node);
        return node;
    }
    const std::uint32_t before = Size(s.left);
    if (place <= before) {
        const std::uint32_t left = InsertAt(s.left, node, place);
        nodes_[subtree].left = left;
    } else {
        const std::uint32_t right = InsertAt(s.right, node, place - before - 1);
        nodes_[subtree].right = right;
    }
    Update(subtree);
    return subtree;
}

std::uint32_t KeyPlacement::Size(std::uint32_t node) const
{
    return node == kNone ? 0 : nodes_[node].size;
}

bool KeyPlacement::Stops(std::uint32_t at, std::uint32_t node) const
{
    const Node &a = nodes_[at];
    const Node &n = nodes_[node];
    return n.numeric ? !a.numeric || a.number > n.number : a.rank > n.rank;
}

bool KeyPlacement::SubtreeStops(std::uint32_t subtree, std::uint32_t node) const
{
    if (subtree == kNone) {
        return false;
    }
    const Node &s = nodes_[subtree];
    const Node &n = nodes_[node];
    return n.numeric ? s.anyOther || s.maxNumber > n.number : s.maxRank > n.rank;
}

std::uint32_t KeyPlacement::PlaceOf(std::uint32_t node) const
{
    if (!SubtreeStops(root_, node)) {
        return Size(root_);
    }
    // The subtree at "at" holds the first key that stops the walk; "place" counts the keys
    // before that subtree.
    std::uint32_t place = 0;
    std::uint32_t at = root_;
    for (;;) {
        const Node &n = nodes_[at];
        if (SubtreeStops(n.left, node)) {
            at = n.left;
        } else if (Stops(at, node)) {
            return place + Size(n.left);
        } else {
            place += Size(n.left) + 1;
            at = n.right;
        }
    }
}

void KeyPlacement::Update(std::uint32_t node)
{
    Node &n = nodes_[node];
    n.size = 1;
    n.anyOther = !n.numeric;
    n.maxNumber = n.numeric ? n.number : INT32_MIN;
    n.maxRank = n.rank;
    for (const std::uint32_t child : {n.left, n.right}) {
        if (child != kNone) {
            const Node &c = nodes_[child];
            n.size += c.size;
            n.anyOther = n.anyOther || c.anyOther;
            n.maxNumber = std::max(n.maxNumber, c.maxNumber);
            n.maxRank = std::max(n.maxRank, c.maxRank);
        }
    }
}

void KeyPlacement::Split(
    std::uint32_t subtree, std::uint32_t count, std::uint32_t &first, std::uint32_t &rest)
{
    if (subtree == kNone) {
        first = kNone;
        rest = kNone;
        return;
    }
    Node &n = nodes_[subtree];
    if (Size(n.left) < count) {
        Split(n.right, count - Size(n.left) - 1, nodes_[subtree].right, rest);
        first = subtree;
    } else {
        Split(n.left, count, first, nodes_[subtree].left);
        rest = subtree;
    }
    Update(subtree);
}

} // namespace qv
