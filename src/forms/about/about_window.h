#pragma once

#include "windows/form_about.h"
#include "windows/platform.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace hygrovane::forms {

// The Qt view of frmAbout. Closing it, however it happens, emits closed() and runs the model's
// unload step, which shows the main window.
class AboutWindow : public QWidget {
    Q_OBJECT

  public:
    AboutWindow(windows::Platform& platform, std::function<void()> onClose,
                QWidget* owner = nullptr);

    const windows::FormAbout& form() const { return form_; }

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    windows::FormAbout form_;
    windows::Platform& platform_;
    bool unloaded_ = false;
};

// Shows the About box without blocking; a box already open is brought to the front, otherwise a
// new one starts from its load state. onClose runs when it closes (it shows the main window).
AboutWindow* showAboutBox(windows::Platform& platform, std::function<void()> onClose,
                          QWidget* owner = nullptr);

} // namespace hygrovane::forms
