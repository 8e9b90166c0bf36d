#pragma once

#include "common/key_placement.h"
#include "platform/dialog_service.h"
#include "platform/failure.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qv {

// The program's settings store: an INI file read whole into memory and written back whole after
// every change. Reads answer from memory and never touch the file.
//
// File syntax: lines end in CR LF (a lone CR or LF stays inside its line); a line starting with
// "[" is a heading whose name is the line without its first and last character; ";" starts a
// comment; other lines are split at their first "=" into name and value, untrimmed; lines
// without "=" are dropped. Duplicate headings and keys are kept; lookups find the first.
// Text is 8-bit: one byte is one char, names compare by unsigned byte value.
//
// A hand-edited file may hold key lines before the first heading: they are kept in a section
// with an empty name that is written back without a heading, so they stay where they were.
// A file that exists but cannot be read is never overwritten during that session: every save
// is refused with the usual message, and the user's file stays as it was.
//
// However large a hand-made or generated file is, loading it takes n log n for n keys in any
// order (KeyPlacement), and lookups answer from an index of the names instead of a scan. Reads
// build that index, so one store is for one thread, as the window and the converter use it.
class clsINI
{
public:
    // Messages (save failures, refused AllowSaveFile) go to dialogs, which must outlive the store.
    explicit clsINI(DialogService &dialogs);

    // While false, SaveFile writes nothing. Switching it on needs a file name; without one a
    // message is shown and the flag keeps its value.
    bool AllowSaveFile() const { return allowSaveFile_; }
    void AllowSaveFile(bool newAllowSaveFile);

    std::int32_t NumberOfSections() const;
    // Keys of the first section of that name; 0 when there is none.
    std::int32_t NumberOfKeys(const std::string &sectionName) const;
    // An index outside the list is failure 9.
    std::string SectionName(std::int32_t sectionNum) const;
    // Empty text when the section does not exist; an index outside its keys is failure 9.
    std::string KeyName(const std::string &sectionName, std::int32_t keyNum) const;

    const std::string &FileName() const { return fileName_; }

    // Replaces the store with the file's content; a missing file gives an empty store. Never
    // throws. Leaves AllowSaveFile as it is.
    void LoadINI(const std::string &fileName);
    // Replaces the store with the text's content and switches saving off.
    void LoadINIFromString(const std::string &text);

    // The key's value, even when empty; the default when the key is missing.
    std::string ReadString(const std::string &sectionName,
        const std::string &keyName,
        const std::string &defaultValue = {}) const;
    std::string ReadString(const std::string &sectionName,
        const std::string &keyName,
        std::int32_t defaultValue) const;
    // The value's leading number rounded half-even: a present key that holds no number reads as
    // 0, a missing key, or a number beyond 32 bits, as the default.
    std::int32_t ReadLong(const std::string &sectionName,
        const std::string &keyName,
        std::int32_t defaultValue) const;

    // Creates or replaces the key (a replaced key keeps its place), then saves.
    void WriteValue(
        const std::string &sectionName, const std::string &keyName, const std::string &value);
    void WriteValue(const std::string &sectionName, const std::string &keyName, std::int32_t value);
    // Flags are stored as "-1" and "0" by the callers; a bool would silently become "1". (A
    // template, so that a string literal still prefers the text overload.)
    template <typename T>
    requires std::same_as<T, bool>
    void WriteValue(const std::string &, const std::string &, T) = delete;

private:
    // Writes the store to FileName when allowed, through a temporary file renamed over the
    // target so a failed save leaves the previous file whole. Failures become a message.
    void SaveFile();
    // Where each name first stands, built on the first lookup after a change of the list.
    struct NameIndex {
        bool Valid = false;
        std::unordered_map<std::string, std::int32_t> First;
    };
    struct INISection {
        std::string Name;
        std::vector<INIKey> Keys;
        // Keys that stood before the first heading of the file: written without a heading.
        bool Headless = false;
        // Invalidated by every insertion of a key; a new value keeps it.
        mutable NameIndex KeyIndex;
    };

    // Index of the first section / key with exactly that name, or -1. Answered from an index
    // of the names, so that a file of many keys is not scanned once per lookup.
    std::int32_t FindSection(const std::string &name) const;
    std::int32_t FindKey(std::int32_t section, const std::string &name) const;
    // Appends a new, empty section and returns its index.
    std::int32_t AddSection(const std::string &name);
    // Inserts at the ordered place (numeric names by value, others by byte order, equal ones
    // after those already there) and returns the index.
    std::int32_t AddKey(std::int32_t section, const std::string &name, const std::string &value);
    // Where the ordered walk from the first key puts name.
    static std::size_t OrderedPlace(const std::vector<INIKey> &keys, const std::string &name);
    // The first index of each name in the list.
    template <typename Item>
    static std::int32_t FindName(
        const std::vector<Item> &items, NameIndex &index, const std::string &name);
    void ParseLines(const std::vector<std::string> &lines);
    std::string FileText() const;
    void Clear();
    // The save failure's message, shown once until a save succeeds or another file is loaded.
    void ShowSaveFailure(const std::string &description);

    DialogService &dialogs_;
    bool allowSaveFile_ = true;
    std::string fileName_;
    std::vector<INISection> sections_;
    // Invalidated by every section added or removed.
    mutable NameIndex sectionIndex_;
    // Why the loaded file could not be read; while set, saving over it is refused.
    std::optional<Failure> unreadable_;
    bool saveFailureShown_ = false;
};

// The text a flag is stored as: "-1" for true, "0" for false.
inline const char *FlagText(bool on)
{
    return on ? "-1" : "0";
}

} // namespace qv
