#include "platform/qt/qt_dialog_service.h"

#include "platform/app_info.h"
#include "platform/qt/name_filters.h"

#include <algorithm>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSlider>
#include <QVBoxLayout>

namespace qv {
namespace {

// The window a dialog opens over.
QWidget *Owner()
{
    if (QWidget *active = QApplication::activeWindow()) {
        return active;
    }
    // Without a window manager nothing is active: the program's visible window owns the dialog.
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->inherits("QMainWindow")) {
            return top;
        }
    }
    return nullptr;
}

QString TitleOrAppTitle(const std::string &title)
{
    return QString::fromStdString(title.empty() ? std::string(kAppTitle) : title);
}

QMessageBox::Icon QtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class QtProgress : public ProgressDialog
{
public:
    QtProgress(const std::string &text, const std::string &title, int total)
        : text_(QString::fromStdString(text))
        , dialog_(text_, "Cancel", 0, total, Owner())
    {
        dialog_.setWindowTitle(TitleOrAppTitle(title));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(0);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        dialog_.setMinimumWidth(420);
        dialog_.setValue(0);
    }

    void Show(int done, const std::string &current) override
    {
        dialog_.setLabelText(text_ + "\n" + QString::number(done) + " of "
            + QString::number(dialog_.maximum()) + ": " + QString::fromStdString(current));
        dialog_.setValue(done);
    }

    bool Cancelled() override
    {
        QApplication::processEvents();
        return dialog_.wasCanceled();
    }

private:
    QString text_;
    QProgressDialog dialog_;
};

} // namespace

std::unique_ptr<ProgressDialog> QtDialogService::StartProgress(
    const std::string &text, const std::string &title, int total)
{
    return std::make_unique<QtProgress>(text, title, total);
}

void QtDialogService::MessageBox(
    const std::string &text, const std::string &title, MessageIcon icon)
{
    QMessageBox box(QtIcon(icon),
        TitleOrAppTitle(title),
        QString::fromStdString(text),
        QMessageBox::Ok,
        Owner());
    box.exec();
}

bool QtDialogService::Confirm(const std::string &text, const std::string &title)
{
    QMessageBox box(QMessageBox::Question,
        TitleOrAppTitle(title),
        QString::fromStdString(text),
        QMessageBox::Yes | QMessageBox::No,
        Owner());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogService::InputBox(
    const std::string &prompt, const std::string &title, const std::string &defaultText)
{
    QWidget *owner = Owner();
    QInputDialog dialog(owner);
    dialog.setWindowTitle(TitleOrAppTitle(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(defaultText));
    // Sized before it is placed, so that it opens centred over the window as a message box does.
    dialog.adjustSize();
    if (owner != nullptr) {
        dialog.move(owner->frameGeometry().center() - dialog.rect().center());
    }
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

std::optional<int> QtDialogService::SliderBox(const std::string &prompt,
    const std::string &title,
    int min,
    int max,
    int value,
    const std::function<void(int)> &onMove)
{
    QWidget *owner = Owner();
    QDialog dialog(owner);
    dialog.setWindowTitle(TitleOrAppTitle(title));
    auto *label = new QLabel(&dialog);
    auto *slider = new QSlider(Qt::Horizontal, &dialog);
    slider->setRange(min, max);
    slider->setValue(value);
    slider->setPageStep(std::max(1, (max - min) / 8));
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setMinimumWidth(320);
    const auto showValue = [label, &prompt](int shown) {
        label->setText(QString::fromStdString(prompt) + " " + QString::number(shown));
    };
    showValue(value);
    QObject::connect(slider, &QSlider::valueChanged, &dialog, [showValue, &onMove](int moved) {
        showValue(moved);
        onMove(moved);
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(slider);
    layout->addWidget(buttons);
    dialog.adjustSize();
    if (owner != nullptr) {
        dialog.move(owner->frameGeometry().center() - dialog.rect().center());
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return slider->value();
}

OpenFileAnswer QtDialogService::OpenFile(const OpenFileRequest &request)
{
    QFileDialog dialog(Owner(),
        QString::fromStdString(request.title),
        QString::fromStdString(request.initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(
        request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 0 && request.filterIndex < filters.size()) {
            dialog.selectNameFilter(filters[request.filterIndex]);
        }
    }
    if (!request.initialFile.empty()) {
        dialog.selectFile(QString::fromStdString(request.initialFile));
    }

    OpenFileAnswer answer;
    const bool chosen = dialog.exec() == QDialog::Accepted;
    // The filter the user ended with is handed back also on Cancel.
    const qsizetype filterIndex = filters.indexOf(dialog.selectedNameFilter());
    answer.filterIndex = filterIndex >= 0 ? static_cast<int>(filterIndex) : request.filterIndex;
    if (chosen) {
        for (const QString &file : dialog.selectedFiles()) {
            answer.files.push_back(file.toStdString());
        }
    }
    return answer;
}

std::string QtDialogService::BrowseForFolder(
    const std::string &startFolder, const std::string &title)
{
    const QString folder = QFileDialog::getExistingDirectory(Owner(),
        QString::fromStdString(title),
        QString::fromStdString(startFolder),
        QFileDialog::ShowDirsOnly);
    return folder.toStdString();
}

} // namespace qv
