#include "common/cls_ini.h"

#include "common/numbers.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/utf8_path.h"

#include <filesystem>
#include <new>

namespace qv {
namespace {

// Every line is written with CR LF, whatever the file read had.
constexpr const char *kLineEnd = "\r\n";

// Splits at LF and CR LF alike (editors on Linux write bare LFs); a CR just before an LF is part
// of the line end, any other CR stays in its line. Empty text has no lines; text ending in a
// line end has a last, empty line.
std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    if (text.empty()) {
        return lines;
    }
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        const std::size_t cut = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(start, cut - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// A file that no one may write is left alone, as its owner asked: the rename of an atomic save
// would otherwise replace it, because that needs only the folder to be writable.
bool IsReadOnlyFile(const std::string &path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(Utf8Path(path), error);
    if (error || !fs::is_regular_file(status)) {
        return false;
    }
    constexpr fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

} // namespace

clsINI::clsINI(DialogService &dialogs)
    : dialogs_(dialogs)
{ }

void clsINI::AllowSaveFile(bool newAllowSaveFile)
{
    if (newAllowSaveFile && fileName_.empty()) {
        dialogs_.MessageBox(
            "Cannot allow INI file saving.  Currently using an internal INI string.",
            "Cannot allow saving of INI data",
            MessageIcon::Error);
        return;
    }
    allowSaveFile_ = newAllowSaveFile;
}

std::int32_t clsINI::NumberOfSections() const
{
    return CheckedCast<std::int32_t>(sections_.size());
}

std::int32_t clsINI::NumberOfKeys(const std::string &sectionName) const
{
    const std::int32_t section = FindSection(sectionName);
    return section < 0 ? 0 : CheckedCast<std::int32_t>(At(sections_, section).Keys.size());
}

std::string clsINI::SectionName(std::int32_t sectionNum) const
{
    return At(sections_, sectionNum).Name;
}

std::string clsINI::KeyName(const std::string &sectionName, std::int32_t keyNum) const
{
    const std::int32_t section = FindSection(sectionName);
    if (section < 0) {
        return {};
    }
    return At(At(sections_, section).Keys, keyNum).Name;
}

void clsINI::SaveFile()
{
    if (!allowSaveFile_) {
        return;
    }
    try {
        if (fileName_.empty()) {
            Fail(kPathFileAccessError); // a file without a name cannot be created
        }
        if (unreadable_) {
            throw *unreadable_;
        }
        if (IsReadOnlyFile(fileName_)) {
            Fail(kPermissionDenied);
        }
        const std::string text = FileText();
        WriteFileAtomic(fileName_, std::vector<std::uint8_t>(text.begin(), text.end()));
        saveFailureShown_ = false;
    } catch (const Failure &failure) {
        ShowSaveFailure(failure.Description());
    } catch (const std::bad_alloc &) {
        ShowSaveFailure(FailureDescription(kOutOfMemory));
    }
}

void clsINI::ShowSaveFailure(const std::string &description)
{
    // Every change saves; a file that cannot be written would otherwise bring the same message
    // on every click. The values stay in memory either way.
    if (saveFailureShown_) {
        return;
    }
    saveFailureShown_ = true;
    dialogs_.MessageBox(
        "clsINI.SaveFile: " + description, "Could not save INI file.", MessageIcon::Error);
}

void clsINI::LoadINI(const std::string &fileName)
{
    Clear();
    fileName_ = fileName;
    saveFailureShown_ = false;
    if (fileName.empty() || !FileExists(fileName)) {
        return;
    }
    try {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(fileName);
        ParseLines(SplitLines(std::string(bytes.begin(), bytes.end())));
    } catch (const Failure &failure) {
        sections_.clear();
        sectionIndex_.Valid = false;
        unreadable_ = failure;
    } catch (const std::bad_alloc &) {
        sections_.clear();
        sectionIndex_.Valid = false;
        unreadable_ = Failure(kOutOfMemory, FailureDescription(kOutOfMemory));
    }
}

void clsINI::LoadINIFromString(const std::string &text)
{
    AllowSaveFile(false);
    Clear();
    ParseLines(SplitLines(text));
}

std::string clsINI::ReadString(const std::string &sectionName,
    const std::string &keyName,
    const std::string &defaultValue) const
{
    const std::int32_t section = FindSection(sectionName);
    const std::int32_t key = section < 0 ? -1 : FindKey(section, keyName);
    if (key < 0) {
        return defaultValue;
    }
    return At(At(sections_, section).Keys, key).Value;
}

std::string clsINI::ReadString(
    const std::string &sectionName, const std::string &keyName, std::int32_t defaultValue) const
{
    return ReadString(sectionName, keyName, std::to_string(defaultValue));
}

std::int32_t clsINI::ReadLong(
    const std::string &sectionName, const std::string &keyName, std::int32_t defaultValue) const
{
    const std::string text = ReadString(sectionName, keyName, defaultValue);
    return RoundToInt32(LeadingNumber(text)).value_or(defaultValue);
}

void clsINI::WriteValue(
    const std::string &sectionName, const std::string &keyName, const std::string &value)
{
    std::int32_t section = FindSection(sectionName);
    if (section < 0) {
        section = AddSection(sectionName);
    }
    const std::int32_t key = FindKey(section, keyName);
    if (key >= 0) {
        At(At(sections_, section).Keys, key).Value = value;
    } else {
        AddKey(section, keyName, value);
    }
    SaveFile();
}

void clsINI::WriteValue(
    const std::string &sectionName, const std::string &keyName, std::int32_t value)
{
    WriteValue(sectionName, keyName, std::to_string(value));
}

template <typename Item>
std::int32_t clsINI::FindName(
    const std::vector<Item> &items, NameIndex &index, const std::string &name)
{
    if (!index.Valid) {
        index.First.clear();
        for (std::size_t i = 0; i < items.size(); ++i) {
            // emplace keeps the first of equal names.
            index.First.emplace(items[i].Name, CheckedCast<std::int32_t>(i));
        }
        index.Valid = true;
    }
    const auto found = index.First.find(name);
    return found == index.First.end() ? -1 : found->second;
}

std::int32_t clsINI::FindSection(const std::string &name) const
{
    return FindName(sections_, sectionIndex_, name);
}

std::int32_t clsINI::FindKey(std::int32_t section, const std::string &name) const
{
    const INISection &target = At(sections_, section);
    return FindName(target.Keys, target.KeyIndex, name);
}

std::int32_t clsINI::AddSection(const std::string &name)
{
    sections_.push_back({name, {}, false, {}});
    sectionIndex_.Valid = false;
    return CheckedCast<std::int32_t>(sections_.size() - 1);
}

std::size_t clsINI::OrderedPlace(const std::vector<INIKey> &keys, const std::string &name)
{
    const std::optional<std::int32_t> number = KeyNameNumber(name);
    std::size_t p = 0;
    while (
        p < keys.size() && !WalkStopsAt(name, number, keys[p].Name, KeyNameNumber(keys[p].Name))) {
        ++p;
    }
    return p;
}

std::int32_t clsINI::AddKey(std::int32_t section, const std::string &name, const std::string &value)
{
    INISection &target = At(sections_, section);
    const std::size_t p = OrderedPlace(target.Keys, name);
    target.Keys.insert(target.Keys.begin() + static_cast<std::ptrdiff_t>(p), {name, value});
    target.KeyIndex.Valid = false;
    return CheckedCast<std::int32_t>(p);
}

void clsINI::ParseLines(const std::vector<std::string> &lines)
{
    // The keys of the section being read are placed as they come, each where AddKey would put
    // it, and stored when the section ends: a section read from a file starts empty.
    std::int32_t current = -1;
    KeyPlacement placement;
    const auto storeKeys = [&] {
        if (current >= 0) {
            INISection &target = At(sections_, current);
            target.Keys = placement.Take();
            target.KeyIndex.Valid = false;
        }
    };
    for (const std::string &line : lines) {
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            storeKeys();
            // A lone "[" names the empty section, like "[]": its keys must not fall into the
            // section above it.
            current = AddSection(line.size() < 2 ? std::string() : line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        if (current < 0) {
            current = AddSection({});
            At(sections_, current).Headless = true;
        }
        placement.Add({line.substr(0, equals), line.substr(equals + 1)});
    }
    storeKeys();
}

std::string clsINI::FileText() const
{
    std::string text;
    bool first = true;
    for (const INISection &section : sections_) {
        if (section.Headless && section.Keys.empty()) {
            continue;
        }
        if (!first) {
            text += kLineEnd; // one empty line between sections
        }
        first = false;
        if (!section.Headless) {
            text += "[" + section.Name + "]" + kLineEnd;
        }
        for (const INIKey &key : section.Keys) {
            text += key.Name + "=" + key.Value + kLineEnd;
        }
    }
    return text;
}

void clsINI::Clear()
{
    sections_.clear();
    sectionIndex_.Valid = false;
    fileName_.clear();
    unreadable_.reset();
}

} // namespace qv
