#pragma once

#include "models/platform.h"

class QWidget;

namespace hygrovane::views {

// Message boxes, file dialogs and the desktop shell through Qt. Dialogs are modal to the parent
// window when one is set.
class QtPlatform : public models::Platform {
  public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    Answer askYesNoCancel(const std::string& message, const std::string& title) override;
    bool askYesNo(const std::string& message, const std::string& title) override;
    void showMessage(const std::string& message, const std::string& title) override;
    std::optional<std::string> openFileDialog() override;
    std::optional<std::string> openFileDialogFor(const std::string& filter) override;
    std::optional<std::string> saveFileDialog() override;
    models::CommandOutcome openDocument(const std::string& path) override;
    models::CommandOutcome openWebPage(const std::string& url) override;

  private:
    QWidget* parent_ = nullptr;
};

} // namespace hygrovane::views
