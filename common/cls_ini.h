#pragma once

#include "platform/dialog_service.h"
#include "platform/failure.h"

#include <climits>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
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
    // Renames in place without moving the key and without saving; nothing when the section
    // does not exist.
    void KeyName(const std::string &sectionName, std::int32_t keyNum, const std::string &newName);

    const std::string &FileName() const { return fileName_; }

    // Writes the store to FileName when allowed, through a temporary file renamed over the
    // target so a failed save leaves the previous file whole. Failures become a message.
    void SaveFile();
    // Replaces the store with the file's content; a missing file gives an empty store. Never
    // throws. Leaves AllowSaveFile as it is.
    void LoadINI(const std::string &fileName);
    // Replaces the store with the text's content and switches saving off.
    void LoadINIFromString(const std::string &text);

    // Remove the first match, then save whether or not anything was removed.
    void DeleteSection(const std::string &sectionName);
    void DeleteKey(const std::string &sectionName, const std::string &keyName);

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
    struct INIKey {
        std::string Name;
        std::string Value;
    };
    // What AddKey needs to know whether its walk would pass every key, so that keys read in
    // order are appended without a walk. Kept up by AddKey; any other change of names clears
    // Known, and the next AddKey counts again.
    struct KeyOrder {
        bool Known = true;
        bool AllNumeric = true; // every name reads as a number
        std::int32_t MaxNumber = INT32_MIN; // the largest of those numbers
        std::string MaxName; // the largest name in byte order (empty: no keys)
    };
    struct INISection {
        std::string Name;
        std::vector<INIKey> Keys;
        // Keys that stood before the first heading of the file: written without a heading.
        bool Headless = false;
        KeyOrder Order;
    };

    // Index of the first section / key with exactly that name, or -1.
    std::int32_t FindSection(const std::string &name) const;
    std::int32_t FindKey(std::int32_t section, const std::string &name) const;
    // Appends a new, empty section and returns its index.
    std::int32_t AddSection(const std::string &name);
    // Inserts at the ordered place (numeric names by value, others by byte order, equal ones
    // after those already there) and returns the index.
    std::int32_t AddKey(std::int32_t section, const std::string &name, const std::string &value);
    // Where the ordered walk from the first key puts name.
    static std::size_t OrderedPlace(const std::vector<INIKey> &keys, const std::string &name);
    // Takes one more key into the summary.
    static void Count(KeyOrder &order, const std::string &name, std::optional<std::int32_t> number);
    void ParseLines(const std::vector<std::string> &lines);
    std::string FileText() const;
    void Clear();
    // The save failure's message, shown once until a save succeeds or another file is loaded.
    void ShowSaveFailure(const std::string &description);

    DialogService &dialogs_;
    bool allowSaveFile_ = true;
    std::string fileName_;
    std::vector<INISection> sections_;
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
