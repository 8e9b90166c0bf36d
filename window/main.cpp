#include "app/first_start.h"
#include "platform/allocator_tuning.h"
#include "platform/app_info.h"
#include "platform/qt/qt_dialog_service.h"
#include "platform/settings_location.h"
#include "window/frm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    qv::KeepFreedMemoryForReuse(); // before Qt allocates anything
    QApplication app(argc, argv);
    const qv::SettingsLocation location = qv::CurrentSettingsLocation();
    const std::string settingsFile = qv::SettingsFilePath(location.folder);
    qv::PrepareSettingsFolder(location, settingsFile);
    qv::QtDialogService dialogs;
    qv::frm window(dialogs);
    window.Form_Load(settingsFile, location.folder);
    window.show();
    return app.exec();
}
