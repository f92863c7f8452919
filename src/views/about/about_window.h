#pragma once

#include "models/about_model.h"
#include "models/platform.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace hygrovane::views {

// The Qt view of frmAbout. Closing it, however it happens, emits closed() and runs the model's
// unload step, which shows the main window.
class AboutWindow : public QWidget {
    Q_OBJECT

  public:
    AboutWindow(models::Platform& platform, std::function<void()> onClose,
                QWidget* owner = nullptr);

    const models::AboutModel& model() const { return model_; }

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    models::AboutModel model_;
    models::Platform& platform_;
    bool unloaded_ = false;
};

// Shows the About box without blocking; a box already open is brought to the front, otherwise a
// new one starts from its load state. onClose runs when it closes (it shows the main window).
AboutWindow* showAboutBox(models::Platform& platform, std::function<void()> onClose,
                          QWidget* owner = nullptr);

} // namespace hygrovane::views
