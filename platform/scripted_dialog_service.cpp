#include "platform/scripted_dialog_service.h"

#include <algorithm>

namespace qv {
namespace {

class ScriptedProgress : public ProgressDialog
{
public:
    ScriptedProgress(std::vector<ScriptedDialogService::Shown> &log, int total, int cancelAt)
        : log_(log)
        , total_(total)
        , cancelAt_(cancelAt)
    { }

    void Show(int done, const std::string &current) override
    {
        done_ = done;
        log_.push_back({ScriptedDialogService::Kind::Progress,
            std::to_string(done) + "/" + std::to_string(total_) + " " + current,
            {},
            MessageIcon::None,
            {},
            {}});
    }
    bool Cancelled() override { return cancelAt_ >= 0 && done_ >= cancelAt_; }

private:
    std::vector<ScriptedDialogService::Shown> &log_;
    int total_;
    int cancelAt_;
    int done_ = 0;
};

} // namespace

std::unique_ptr<ProgressDialog> ScriptedDialogService::StartProgress(
    const std::string &text, const std::string &title, int total)
{
    shown_.push_back({Kind::Progress, text, title, MessageIcon::None, std::to_string(total), {}});
    int cancelAt = -1;
    if (!cancels_.empty()) {
        cancelAt = cancels_.front();
        cancels_.pop_front();
    }
    return std::make_unique<ScriptedProgress>(shown_, total, cancelAt);
}

void ScriptedDialogService::MessageBox(
    const std::string &text, const std::string &title, MessageIcon icon)
{
    shown_.push_back({Kind::Message, text, title, icon, {}, {}});
}

bool ScriptedDialogService::Confirm(const std::string &text, const std::string &title)
{
    shown_.push_back({Kind::Confirm, text, title, MessageIcon::None, {}, {}});
    if (confirms_.empty()) {
        throw UnexpectedDialog("unexpected question: " + text);
    }
    const bool yes = confirms_.front();
    confirms_.pop_front();
    return yes;
}

std::string ScriptedDialogService::InputBox(
    const std::string &prompt, const std::string &title, const std::string &defaultText)
{
    shown_.push_back({Kind::Input, prompt, title, MessageIcon::None, defaultText, {}});
    if (inputs_.empty()) {
        throw UnexpectedDialog("unexpected input box: " + prompt);
    }
    std::string answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

std::optional<int> ScriptedDialogService::SliderBox(const std::string &prompt,
    const std::string &title,
    int min,
    int max,
    int value,
    const std::function<void(int)> &onMove)
{
    shown_.push_back({Kind::Slider, prompt, title, MessageIcon::None, std::to_string(value), {}});
    if (sliders_.empty()) {
        throw UnexpectedDialog("unexpected slider: " + prompt);
    }
    const auto [moves, ok] = sliders_.front();
    sliders_.pop_front();
    for (const int move : moves) {
        value = std::clamp(move, min, max);
        onMove(value);
    }
    return ok ? std::optional(value) : std::nullopt;
}

OpenFileAnswer ScriptedDialogService::OpenFile(const OpenFileRequest &request)
{
    shown_.push_back({Kind::OpenFile,
        request.title,
        request.title,
        MessageIcon::None,
        request.initialFile,
        request});
    if (files_.empty()) {
        throw UnexpectedDialog("unexpected open-file dialog: " + request.title);
    }
    OpenFileAnswer answer = files_.front();
    files_.pop_front();
    return answer;
}

std::string ScriptedDialogService::BrowseForFolder(
    const std::string &startFolder, const std::string &title)
{
    shown_.push_back({Kind::Folder, title, title, MessageIcon::None, startFolder, {}});
    if (folders_.empty()) {
        throw UnexpectedDialog("unexpected folder browser: " + title);
    }
    std::string answer = folders_.front();
    folders_.pop_front();
    return answer;
}

std::vector<std::string> ScriptedDialogService::MessageTexts() const
{
    std::vector<std::string> texts;
    for (const Shown &s : shown_) {
        if (s.kind == Kind::Message) {
            texts.push_back(s.text);
        }
    }
    return texts;
}

} // namespace qv
