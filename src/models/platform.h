#pragma once

#include "models/command_outcome.h"

#include <optional>
#include <string>

namespace hygrovane::models {

// What the windows ask of the platform: message boxes, file dialogs and the desktop shell.
// The Qt implementation uses QMessageBox, QFileDialog and QDesktopServices; tests use a fake.
class Platform {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Platform() = default;
    virtual Answer askYesNoCancel(const std::string& message, const std::string& title) = 0;
    // A question with Yes and No, No the default (such as whether to replace a file); true for
    // Yes. Platforms without a box of their own ask with Yes, No and Cancel.
    virtual bool askYesNo(const std::string& message, const std::string& title) {
        return askYesNoCancel(message, title) == Answer::Yes;
    }
    // An OK message box; an empty title means the application's default title.
    virtual void showMessage(const std::string& message, const std::string& title) = 0;
    virtual std::optional<std::string> openFileDialog() = 0;
    // The same offering a filter first, such as "Weather files (*.epw *.csv)"; platforms
    // without filters show every file.
    virtual std::optional<std::string> openFileDialogFor(const std::string& filter) {
        (void)filter;
        return openFileDialog();
    }
    virtual std::optional<std::string> saveFileDialog() = 0;
    // Opens a document with its associated program; refused when none could be started.
    virtual CommandOutcome openDocument(const std::string& path) = 0;
    // Opens a web page in the user's browser; refused when it could not be started.
    virtual CommandOutcome openWebPage(const std::string& url) = 0;
};

} // namespace hygrovane::models
