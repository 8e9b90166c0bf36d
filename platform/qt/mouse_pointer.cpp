#include "platform/qt/mouse_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace qv::MousePointer {

void SetBusy()
{
    if (QGuiApplication::overrideCursor() == nullptr) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

void SetDefault()
{
    while (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
}

bool IsBusy()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

} // namespace qv::MousePointer
