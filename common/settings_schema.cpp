#include "common/settings_schema.h"

#include "platform/checked.h"
#include "platform/failure.h"

namespace qv {
namespace {

void Expect(const Setting &setting, SettingKind kind, std::int32_t index)
{
    if (setting.kind != kind) {
        Fail(kInvalidArgument);
    }
    CheckRange(static_cast<std::size_t>(setting.count), index, std::int32_t {1});
}

} // namespace

std::string SettingKey(const Setting &setting, std::int32_t index)
{
    CheckRange(static_cast<std::size_t>(setting.count), index, std::int32_t {1});
    return setting.count == 1 ? setting.key : setting.key + std::to_string(index);
}

std::int32_t SettingDefault(const Setting &setting, std::int32_t index)
{
    if (&setting == &settings::kSkip && index == settings::kOutputTransparentColor.defaultValue) {
        return 1;
    }
    return setting.defaultValue;
}

std::int32_t ReadLongInRange(const clsINI &ini,
    const std::string &section,
    const std::string &key,
    std::int32_t min,
    std::int32_t max,
    std::int32_t defaultValue)
{
    const std::int32_t value = ini.ReadLong(section, key, defaultValue);
    return value < min || value > max ? defaultValue : value;
}

std::int32_t ReadSetting(const clsINI &ini, const Setting &setting, std::int32_t index)
{
    Expect(setting, SettingKind::Number, index);
    return ReadLongInRange(ini,
        setting.section,
        SettingKey(setting, index),
        setting.min,
        setting.max,
        SettingDefault(setting, index));
}

bool ReadFlagSetting(const clsINI &ini, const Setting &setting)
{
    Expect(setting, SettingKind::Flag, 0);
    return ini.ReadLong(setting.section, setting.key, setting.defaultValue) != 0;
}

std::string ReadTextSetting(const clsINI &ini, const Setting &setting, const std::string &fallback)
{
    Expect(setting, SettingKind::Text, 0);
    return ini.ReadString(setting.section, setting.key, fallback);
}

void WriteSetting(clsINI &ini, const Setting &setting, std::int32_t value, std::int32_t index)
{
    Expect(setting, SettingKind::Number, index);
    ini.WriteValue(setting.section, SettingKey(setting, index), value);
}

void WriteFlagSetting(clsINI &ini, const Setting &setting, bool on)
{
    Expect(setting, SettingKind::Flag, 0);
    ini.WriteValue(setting.section, setting.key, FlagText(on));
}

void WriteTextSetting(clsINI &ini, const Setting &setting, const std::string &text)
{
    Expect(setting, SettingKind::Text, 0);
    ini.WriteValue(setting.section, setting.key, text);
}

} // namespace qv
