#include "platform/scripted_dialog_service.h"

namespace qv {

void ScriptedDialogService::MessageBox(
    const std::string &text, const std::string &title, MessageIcon icon)
{
    shown_.push_back({Kind::Message, text, title, icon, {}, {}});
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
