// The settings file may be edited by hand into anything, and loading and reading it must never
// stop the program: parse any text, read and write the first sections and keys found, and read
// numbers the lenient way the store does.
#include "common/cls_ini.h"
#include "common/numbers.h"
#include "fuzz/scratch_file.h"
#include "platform/scripted_dialog_service.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

namespace {

using qv::fuzz::Require;

// Enough to reach every branch of the lookups without making each input slow.
constexpr std::int32_t kSectionsVisited = 4;
constexpr std::int32_t kKeysVisited = 8;
constexpr std::int32_t kDefault = 100;
// Lines are split at CR LF, so no loaded key can have this name.
const std::string kAbsentKey = "\r\n";

void CheckNumberReading(const std::string &text)
{
    const bool numeric = qv::IsNumeric(text);
    const std::optional<double> parsed = qv::ParseNumber(text);
    Require(numeric == parsed.has_value(), "ParseNumber reads exactly the numeric texts");
    const double leading = qv::LeadingNumber(text);
    Require(!std::isnan(leading), "a leading number is never NaN");
    if (numeric) {
        // A number in full is its own leading number.
        Require(leading == *parsed, "a numeric text reads the same both ways");
    }
    if (const std::optional<std::int32_t> rounded = qv::RoundToInt32(leading)) {
        Require(std::fabs(leading - *rounded) <= 0.5, "rounding moves by half at most");
    }
}

void VisitKey(qv::clsINI &ini, const std::string &section, const std::string &key)
{
    const std::string value = ini.ReadString(section, key, "default");
    CheckNumberReading(value);
    const std::int32_t number = ini.ReadLong(section, key, kDefault);
    if (const std::optional<double> parsed = qv::ParseNumber(value)) {
        if (const std::optional<std::int32_t> rounded = qv::RoundToInt32(*parsed)) {
            Require(number == *rounded, "ReadLong reads a numeric value in full");
        }
    }

    const std::int32_t keys = ini.NumberOfKeys(section);
    ini.WriteValue(section, key, value + "!");
    Require(ini.NumberOfKeys(section) == keys, "replacing a value adds no key");
    Require(ini.ReadString(section, key) == value + "!", "a written value reads back");
}

void VisitSection(qv::clsINI &ini, const std::string &section)
{
    const std::int32_t keys = std::min(ini.NumberOfKeys(section), kKeysVisited);
    for (std::int32_t k = 0; k < keys; ++k) {
        VisitKey(ini, section, ini.KeyName(section, k));
    }

    Require(ini.ReadString(section, kAbsentKey, "default") == "default",
        "a missing key reads as the default text");
    Require(ini.ReadLong(section, kAbsentKey, kDefault) == kDefault,
        "a missing key reads as the default number");
    const std::int32_t before = ini.NumberOfKeys(section);
    ini.WriteValue(section, kAbsentKey, std::int32_t {-7});
    Require(ini.NumberOfKeys(section) == before + 1, "writing a new key adds one key");
    Require(ini.ReadLong(section, kAbsentKey, kDefault) == -7, "a new key reads back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    CheckNumberReading(text);

    qv::ScriptedDialogService dialogs;
    qv::clsINI ini(dialogs);
    ini.LoadINIFromString(text);
    Require(!ini.AllowSaveFile() && ini.FileName().empty(), "text loads switch saving off");

    // A repeated heading names the section of its first appearance, already visited.
    std::set<std::string> visited;
    const std::int32_t sections = std::min(ini.NumberOfSections(), kSectionsVisited);
    for (std::int32_t s = 0; s < sections; ++s) {
        const std::string name = ini.SectionName(s);
        if (visited.insert(name).second) {
            VisitSection(ini, name);
        }
    }
    // A section the text cannot hold, created by the first write.
    const std::int32_t before = ini.NumberOfSections();
    ini.WriteValue(kAbsentKey, "Key", text);
    Require(ini.NumberOfSections() == before + 1, "writing a new section adds one section");
    Require(ini.ReadString(kAbsentKey, "Key") == text, "a value of any bytes reads back");

    // Saving is off after a text load, so nothing above may reach a file or a dialog.
    Require(dialogs.Log().empty(), "no message while saving is off");
    return 0;
}
