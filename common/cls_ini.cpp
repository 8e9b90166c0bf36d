#include "common/cls_ini.h"

#include "common/numbers.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/utf8_path.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
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

// The number a key name reads as in full, rounded half-even. Names beyond 32 bits saturate, so
// they still sort by value: after every 32-bit number, or before it when negative.
std::optional<std::int32_t> NameNumber(const std::string &name)
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

void clsINI::KeyName(
    const std::string &sectionName, std::int32_t keyNum, const std::string &newName)
{
    const std::int32_t section = FindSection(sectionName);
    if (section >= 0) {
        INISection &target = At(sections_, section);
        At(target.Keys, keyNum).Name = newName;
        target.Order.Known = false;
    }
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
        unreadable_ = failure;
    } catch (const std::bad_alloc &) {
        sections_.clear();
        unreadable_ = Failure(kOutOfMemory, FailureDescription(kOutOfMemory));
    }
}

void clsINI::LoadINIFromString(const std::string &text)
{
    AllowSaveFile(false);
    Clear();
    ParseLines(SplitLines(text));
}

void clsINI::DeleteSection(const std::string &sectionName)
{
    const std::int32_t section = FindSection(sectionName);
    if (section >= 0) {
        sections_.erase(sections_.begin() + section);
    }
    SaveFile();
}

void clsINI::DeleteKey(const std::string &sectionName, const std::string &keyName)
{
    const std::int32_t section = FindSection(sectionName);
    const std::int32_t key = section < 0 ? -1 : FindKey(section, keyName);
    if (key >= 0) {
        INISection &target = At(sections_, section);
        target.Keys.erase(target.Keys.begin() + key);
        target.Order.Known = false;
    }
    SaveFile();
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

std::int32_t clsINI::FindSection(const std::string &name) const
{
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i].Name == name) {
            return CheckedCast<std::int32_t>(i);
        }
    }
    return -1;
}

std::int32_t clsINI::FindKey(std::int32_t section, const std::string &name) const
{
    const std::vector<INIKey> &keys = At(sections_, section).Keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].Name == name) {
            return CheckedCast<std::int32_t>(i);
        }
    }
    return -1;
}

std::int32_t clsINI::AddSection(const std::string &name)
{
    sections_.push_back({name, {}, false, {}});
    return CheckedCast<std::int32_t>(sections_.size() - 1);
}

std::size_t clsINI::OrderedPlace(const std::vector<INIKey> &keys, const std::string &name)
{
    std::size_t p = 0;
    if (const std::optional<std::int32_t> number = NameNumber(name)) {
        while (p < keys.size()) {
            const std::optional<std::int32_t> other = NameNumber(keys[p].Name);
            if (!other || *other > *number) {
                break;
            }
            ++p;
        }
    } else {
        // std::string compares as unsigned bytes: the ordinal order of character codes.
        while (p < keys.size() && keys[p].Name <= name) {
            ++p;
        }
    }
    return p;
}

void clsINI::Count(KeyOrder &order, const std::string &name, std::optional<std::int32_t> number)
{
    order.AllNumeric = order.AllNumeric && number.has_value();
    if (number) {
        order.MaxNumber = std::max(order.MaxNumber, *number);
    }
    order.MaxName = std::max(order.MaxName, name);
}

std::int32_t clsINI::AddKey(std::int32_t section, const std::string &name, const std::string &value)
{
    INISection &target = At(sections_, section);
    std::vector<INIKey> &keys = target.Keys;
    KeyOrder &order = target.Order;
    if (!order.Known) {
        order = KeyOrder {};
        for (const INIKey &key : keys) {
            Count(order, key.Name, NameNumber(key.Name));
        }
    }
    // The walk passes every key when each would let it go on: for a number, all names are
    // numbers no larger; for other names, none is larger in byte order.
    const std::optional<std::int32_t> number = NameNumber(name);
    const bool passesAll = keys.empty()
        || (number ? order.AllNumeric && order.MaxNumber <= *number : order.MaxName <= name);
    const std::size_t p = passesAll ? keys.size() : OrderedPlace(keys, name);
    keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(p), {name, value});
    Count(order, name, number);
    return CheckedCast<std::int32_t>(p);
}

void clsINI::ParseLines(const std::vector<std::string> &lines)
{
    std::int32_t current = -1;
    for (const std::string &line : lines) {
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
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
        AddKey(current, line.substr(0, equals), line.substr(equals + 1));
    }
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
    fileName_.clear();
    unreadable_.reset();
}

} // namespace qv
