#include "app/first_start.h"
#include "platform/allocator_tuning.h"
#include "platform/settings_location.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_dialog_service.h"
#include "window-win32/frm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    qv::KeepFreedMemoryForReuse();
    // The file dialogs are COM objects of the shell, on this one thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const INITCOMMONCONTROLSEX controls {sizeof(INITCOMMONCONTROLSEX),
        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    qv::SettingsLocation location = qv::CurrentSettingsLocation();
    // Paths are kept with "/" inside the program, as the dialogs hand them over.
    location.folder = qv::win32::ProgramPath(qv::win32::Wide(location.folder));
    const std::string settingsFile = qv::SettingsFilePath(location.folder);
    qv::PrepareSettingsFolder(location, settingsFile);

    int status = 0;
    {
        qv::win32::Win32DialogService dialogs;
        qv::win32::frm window(dialogs);
        dialogs.SetOwner(window.Handle());
        window.QuitWhenClosed();
        window.Form_Load(settingsFile, location.folder);
        ShowWindow(window.Handle(), show);
        window.FocusConvertButton();

        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!window.PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        status = static_cast<int>(message.wParam);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return status;
}
