#include "platform/app_info.h"
#include "platform/qt/qt_dialog_service.h"
#include "window/frm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    qv::QtDialogService dialogs;
    qv::frm window(dialogs);
    window.Form_Load(qv::SettingsFilePath(), qv::ProgramFolder());
    window.show();
    return app.exec();
}
