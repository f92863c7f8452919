#include "views/common/qt_platform.h"

#include "hygrovane/config.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace hygrovane::views {

namespace {

QString titleOrDefault(const std::string& title) {
    return QString::fromStdString(title.empty() ? std::string(config::kApplicationTitle) : title);
}

std::optional<std::string> chosenPath(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

} // namespace

// Plain boxes without an icon, Yes (or OK) the default button.
models::Platform::Answer QtPlatform::askYesNoCancel(const std::string& message,
                                                    const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOrDefault(title), QString::fromStdString(message),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int button = box.exec();
    if (button == QMessageBox::Yes) {
        return Answer::Yes;
    }
    return button == QMessageBox::No ? Answer::No : Answer::Cancel;
}

// No is the default: Enter must not replace a file.
bool QtPlatform::askYesNo(const std::string& message, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOrDefault(title), QString::fromStdString(message),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::showMessage(const std::string& message, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOrDefault(title), QString::fromStdString(message),
                    QMessageBox::Ok, parent_);
    box.exec();
}

// No filter, caption or default suffix: the dialogs list all files and take any name as typed.
std::optional<std::string> QtPlatform::openFileDialog() {
    return chosenPath(QFileDialog::getOpenFileName(parent_));
}

std::optional<std::string> QtPlatform::openFileDialogFor(const std::string& filter) {
    return chosenPath(QFileDialog::getOpenFileName(
        parent_, {}, {}, QString::fromStdString(filter) + QStringLiteral(";;All files (*)")));
}

std::optional<std::string> QtPlatform::saveFileDialog() {
    return chosenPath(QFileDialog::getSaveFileName(parent_));
}

namespace {

models::CommandOutcome Opened(bool started) {
    return started ? models::CommandOutcome::Done : models::CommandOutcome::Refused;
}

} // namespace

models::CommandOutcome QtPlatform::openDocument(const std::string& path) {
    return Opened(QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))));
}

models::CommandOutcome QtPlatform::openWebPage(const std::string& url) {
    return Opened(QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode)));
}

} // namespace hygrovane::views
