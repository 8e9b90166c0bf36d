// The window enlarged: the picture frame takes the room, and every control keeps its place
// relative to it. At the design's size every control is where the design puts it.
#include "app/window_growth.h"
#include "window/frm.h"

#include <algorithm>

#include <QCloseEvent>
#include <QEvent>
#include <QScreen>

namespace qv {
namespace {

ControlPlace PlaceOf(const QRect &rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect RectOf(const ControlPlace &place)
{
    return {place.left, place.top, place.width, place.height};
}

} // namespace

void frm::LayOut()
{
    const QSize grow = (client_->size() - client_->minimumSize()).expandedTo(QSize(0, 0));
    for (const auto &[control, place] : design_) {
        control->setGeometry(RectOf(Grown(PlaceOf(place),
            AnchorOf(control->objectName().toStdString()),
            grow.width(),
            grow.height())));
    }
    img->SetDrawingArea(kPictureArea.adjusted(0, 0, grow.width(), grow.height()));
}

void frm::TakeDesign()
{
    for (QWidget *control : client_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const bool noted = std::any_of(design_.begin(), design_.end(), [control](const auto &c) {
            return c.first == control;
        });
        if (!noted) {
            design_.emplace_back(control, control->geometry());
        }
    }
}

void frm::RestoreSize()
{
    const QSize stored(session_.GetWindowWidth(), session_.GetWindowHeight());
    if (stored.width() <= 0 || stored.height() <= 0) {
        return;
    }
    QSize client = stored.expandedTo(client_->minimumSize());
    if (const QScreen *screen = this->screen()) {
        const QSize room = screen->availableSize() - (size() - client_->size());
        client = client.boundedTo(room).expandedTo(client_->minimumSize());
    }
    resize(size() - client_->size() + client);
}

bool frm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        LayOut();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frm::closeEvent(QCloseEvent *event)
{
    const QSize design = client_->minimumSize();
    Run("Form_Unload", [this, design] {
        session_.Form_Unload(client_->width(), client_->height(), design.width(), design.height());
    });
    QMainWindow::closeEvent(event);
}

} // namespace qv
