// What the views show and how: the picture view, the zoom, the light view's level and colour
// map, the window's size. Stored values only; the views draw from them.
#include "app/session.h"
#include "common/option_table.h"
#include "common/settings_schema.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>

namespace qv {
namespace {

// value when it lies within the setting's range; otherwise failure 9.
int InRange(const Setting &setting, int value)
{
    if (value < setting.min || value > setting.max) {
        Fail(kSubscriptOutOfRange);
    }
    return value;
}

} // namespace

void Session::ReadViewSettings()
{
    pictureView_ = ReadChoice(*ini_, options::kPictureView);
    zoom_ = ReadChoice(*ini_, options::kZoom);
    lightLevel_ = ReadSetting(*ini_, settings::kLightLevel);
    colorMapPath_ = ReadTextSetting(*ini_, settings::kColorMap);
    if (!colorMapPath_.empty()) {
        try {
            LoadColorMap(colorMapPath_);
        } catch (const Failure &) {
            // Gone or changed since: the preview is drawn unlit, and the item says None.
            lightTables_.reset();
        }
    }
    windowWidth_ = ReadSetting(*ini_, settings::kWindowWidth);
    windowHeight_ = ReadSetting(*ini_, settings::kWindowHeight);
    Tell(Change::ViewSettings);
}

void Session::SetPictureView(PictureView view)
{
    pictureView_ =
        static_cast<PictureView>(InRange(settings::kPictureView, static_cast<int>(view)));
    WriteSetting(*ini_, settings::kPictureView, static_cast<int>(view));
    Tell(Change::ViewSettings);
}

void Session::SetZoom(PictureZoom zoom)
{
    zoom_ = static_cast<PictureZoom>(InRange(settings::kZoom, static_cast<int>(zoom)));
    WriteSetting(*ini_, settings::kZoom, static_cast<int>(zoom));
    Tell(Change::ViewSettings);
}

void Session::SetLightLevel(int level)
{
    lightLevel_ = InRange(settings::kLightLevel, level);
    WriteSetting(*ini_, settings::kLightLevel, level);
    Tell(Change::ViewSettings);
}

void Session::SetColorMapPath(const std::string &path)
{
    colorMapPath_ = path;
    WriteTextSetting(*ini_, settings::kColorMap, path);
    Tell(Change::ViewSettings);
}

void Session::SetWindowSize(int width, int height)
{
    // Both are checked before either is held: a refused size leaves the one held whole.
    const int checkedWidth = InRange(settings::kWindowWidth, width);
    windowHeight_ = InRange(settings::kWindowHeight, height);
    windowWidth_ = checkedWidth;
    WriteSetting(*ini_, settings::kWindowWidth, width);
    WriteSetting(*ini_, settings::kWindowHeight, height);
    Tell(Change::ViewSettings);
}

void Session::Form_Unload(int width, int height, int designWidth, int designHeight)
{
    const bool design = width == designWidth && height == designHeight;
    const int storedWidth = design ? 0 : std::clamp(width, 0, settings::kWindowWidth.max);
    const int storedHeight = design ? 0 : std::clamp(height, 0, settings::kWindowHeight.max);
    if (storedWidth != windowWidth_ || storedHeight != windowHeight_) {
        SetWindowSize(storedWidth, storedHeight);
    }
}

} // namespace qv
