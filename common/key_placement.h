#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// One key of a settings section, as the file holds it.
struct INIKey {
    std::string Name;
    std::string Value;
};

// The number a key name reads as in full (blanks around it allowed), rounded half-even; names
// beyond 32 bits saturate so that they still sort by value. None for any other name.
std::optional<std::int32_t> KeyNameNumber(const std::string &name);

// Whether the ordered walk that places a new key stops at an existing one: a number stops at the
// first name that is no number or a larger number, any other name at the first larger name in
// byte order. Equal keys never stop it, so a later key goes after an equal earlier one.
bool WalkStopsAt(const std::string &name,
    std::optional<std::int32_t> number,
    const std::string &existing,
    std::optional<std::int32_t> existingNumber);

// The keys of one section as they are read, each put where the ordered walk from the first key
// would put it: a file of n keys in any order loads in n log n instead of the walk's n squared.
// Names all of one kind (numbers, or other names) are a stable sort; mixed ones are placed one
// by one in a tree that finds the walk's stop in logarithmic time. The places are exactly the
// walk's.
class KeyPlacement
{
public:
    // Takes the next key read.
    void Add(INIKey key);
    // The keys taken, each put at its place among those taken before it, in the order they then
    // stand; the placement is empty afterwards.
    std::vector<INIKey> Take();

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // A key in a tree ordered by place (a treap by random priority). Besides its own name it
    // knows its subtree: its size, and what the walk asks, whether a key that stops it is there.
    // Names are compared by their rank in byte order (equal names share one), so the tree holds
    // numbers only and stays small.
    struct Node {
        std::uint32_t left = kNone;
        std::uint32_t right = kNone;
        std::uint32_t priority = 0;
        std::uint32_t size = 1;
        std::uint32_t rank = 0;
        std::uint32_t maxRank = 0; // of the subtree
        std::int32_t number = 0; // when numeric
        std::int32_t maxNumber = INT32_MIN; // the largest number of the subtree
        bool numeric = false; // the name reads as a number
        bool anyOther = false; // some name of the subtree is no number
    };

    // The nodes of the keys taken, in the order read, with their numbers and ranks; returns
    // the keys sorted by name, equal names in the order read.
    std::vector<std::uint32_t> MakeNodes();
    // The keys in the order the walk gives them, placed one by one in the tree.
    std::vector<std::uint32_t> TreeOrder();
    // Puts node at its place among the nodes already in the tree.
    void Insert(std::uint32_t node);
    // Puts node at place (counted from the subtree's first key) in the subtree; returns the
    // subtree's new root.
    std::uint32_t InsertAt(std::uint32_t subtree, std::uint32_t node, std::uint32_t place);
    std::uint32_t Size(std::uint32_t node) const;
    // Whether the key at "at", or some key of the subtree, stops the walk of the key at node.
    bool Stops(std::uint32_t at, std::uint32_t node) const;
    bool SubtreeStops(std::uint32_t subtree, std::uint32_t node) const;
    // The place the walk gives node among the keys already in the tree.
    std::uint32_t PlaceOf(std::uint32_t node) const;
    void Update(std::uint32_t node);
    // Splits the subtree into its first count keys and the rest.
    void Split(
        std::uint32_t subtree, std::uint32_t count, std::uint32_t &first, std::uint32_t &rest);

    std::vector<INIKey> keys_;
    std::vector<Node> nodes_;
    std::uint32_t root_ = kNone;
};

} // namespace qv
