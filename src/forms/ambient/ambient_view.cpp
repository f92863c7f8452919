#include "forms/ambient/ambient_view.h"

#include "forms/ambient/ambient_layout.h"
#include "forms/common/view_support.h"
#include "hygrovane/config.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace hygrovane::forms {

namespace layout = ambient_layout;

namespace {

using MenuHandler = void (windows::AmbientWindow::*)();

const std::map<std::string, MenuHandler>& menuHandlers() {
    static const std::map<std::string, MenuHandler> handlers{
        {"menu_open", &windows::AmbientWindow::menu_open_Click},
        {"menu_save", &windows::AmbientWindow::menu_save_Click},
        {"menu_saveas", &windows::AmbientWindow::menu_saveas_Click},
        {"menu_report", &windows::AmbientWindow::menu_report_Click},
        {"exit_menu", &windows::AmbientWindow::exit_menu_Click},
        {"menu_IAPWS", &windows::AmbientWindow::menu_IAPWS_Click},
        {"menu_HW", &windows::AmbientWindow::menu_HW_Click},
        {"menu_metric", &windows::AmbientWindow::menu_metric_Click},
        {"menu_british", &windows::AmbientWindow::menu_british_Click},
        {"menu_convertor", &windows::AmbientWindow::menu_convertor_Click},
        {"menu_sat", &windows::AmbientWindow::menu_sat_Click},
        {"menu_chart", &windows::AmbientWindow::menu_chart_Click},
        {"menu_processes", &windows::AmbientWindow::menu_processes_Click},
        {"menu_batch", &windows::AmbientWindow::menu_batch_Click},
        {"help_index_menu", &windows::AmbientWindow::help_index_menu_Click},
        {"abou_menu", &windows::AmbientWindow::abou_menu_Click},
    };
    return handlers;
}

// The menu items whose check marks the model holds.
const MenuItem* checkMark(const FormAmbient& form, const std::string& name) {
    if (name == "menu_IAPWS") {
        return &form.menu_IAPWS;
    }
    if (name == "menu_HW") {
        return &form.menu_HW;
    }
    if (name == "menu_metric") {
        return &form.menu_metric;
    }
    if (name == "menu_british") {
        return &form.menu_british;
    }
    if (name == "menu_customized") {
        return &form.menu_customized;
    }
    return nullptr;
}

} // namespace

std::vector<std::filesystem::path> UsersGuideFolders() {
    const std::filesystem::path programFolder =
        QCoreApplication::applicationDirPath().toStdString();
    // The working directory last: a guide that happens to lie where the program was started
    // must not stand in for the one that came with it.
    return {programFolder, programFolder.parent_path() / "share" / "doc" / "hygrovane",
            std::filesystem::path()};
}

AmbientView::AmbientView(windows::Platform& platform, QWidget* parent)
    : QMainWindow(parent), window_(platform) {
    setObjectName(QStringLiteral("Form_ambient"));
    setWindowTitle(QString::fromUtf8(config::kApplicationTitle));
    window_.form().decimalSeparator = QString(QLocale().decimalPoint()).toStdString();
    window_.guideFolders = UsersGuideFolders();
    window_.endProgram = [this] {
        ending_ = true;
        QCoreApplication::exit(0);
    };
    buildControls();
    buildMenus();
    redraw();
}

void AmbientView::load() {
    run([this] { window_.Form_Load(); });
}

void AmbientView::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    const int dpi = client->logicalDpiX();
    const QSize size(TwipsToPixels(layout::kClientWidth, dpi),
                     TwipsToPixels(layout::kClientHeight, dpi));
    client->setMinimumSize(size);
    SetBackground(*client, colours::kWindowBackground);
    setCentralWidget(client);

    std::array<QGroupBox*, 4> frames{};
    std::array<TwipsRect, 4> frameRects{};
    FormAmbient& form = window_.form();
    for (const layout::Place& place : layout::Places()) {
        QWidget* parent = place.frame != 0 ? frames.at(place.frame) : client;
        TwipsRect rect = place.rect;
        if (place.frame != 0) {
            rect.x -= frameRects.at(place.frame).x;
            rect.y -= frameRects.at(place.frame).y;
        }
        QWidget* widget = nullptr;
        const int n = place.number;
        switch (place.kind) {
        case layout::Kind::Frame: {
            auto* frame = new QGroupBox(qs(layout::FrameCaption(n)), parent);
            // An etched rectangle with the caption set into its top edge.
            frame->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid rgb(140, 140, 140); margin-top: 0.6em; }"
                "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
            frames.at(n) = frame;
            frameRects.at(n) = place.rect;
            widget = frame;
            break;
        }
        case layout::Kind::Line: {
            auto* line = new QWidget(parent);
            SetBackground(*line, Colour{0, 0, 0});
            rect.width = std::max(rect.width, 1440 / dpi);
            rect.height = std::max(rect.height, 1440 / dpi);
            widget = line;
            break;
        }
        case layout::Kind::Label: {
            auto* label = new QLabel(parent);
            label->setAlignment(place.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            labels_.at(n - 1) = label;
            widget = label;
            break;
        }
        case layout::Kind::Option: {
            auto* option = new QRadioButton(qs(form.Option(n).caption), parent);
            // The model decides which button of a group is selected.
            option->setAutoExclusive(false);
            connect(option, &QRadioButton::clicked, this,
                    [this, n] { run([this, n] { window_.Option_Click(n); }); });
            options_.at(n - 1) = option;
            widget = option;
            break;
        }
        case layout::Kind::Text: {
            auto* edit = new QLineEdit(parent);
            KeepOneLine(*edit);
            connect(edit, &QLineEdit::textEdited, this, [this, n](const QString& text) {
                window_.form().Text(n).text = text.toStdString();
                drawn_.Text(n).text = window_.form().Text(n).text; // the box shows it already
                run([this, n] { window_.Text_Change(n); });
            });
            texts_.at(n - 1) = edit;
            widget = edit;
            break;
        }
        case layout::Kind::Combo: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(false);
            for (const std::string& item : form.Combo(n).items) {
                combo->addItem(qs(item));
            }
            connect(combo, &QComboBox::activated, this, [this, n](int index) {
                // Picking the item already selected is no change.
                if (window_.form().Combo(n).listIndex == index) {
                    return;
                }
                window_.form().Combo(n).listIndex = index;
                run([this, n] { window_.Combo_Click(n); });
            });
            combos_.at(n - 1) = combo;
            widget = combo;
            break;
        }
        case layout::Kind::List:
            list_ = new QListWidget(parent);
            list_->setSelectionMode(QAbstractItemView::SingleSelection);
            widget = list_;
            break;
        case layout::Kind::Button: {
            auto* button = new QPushButton(qs(form.Command1Caption), parent);
            SetBackground(*button, colours::kButtonYellow);
            connect(button, &QPushButton::clicked, this,
                    [this] { run([this] { window_.Command1_Click(); }); });
            widget = button;
            break;
        }
        }
        widget->setObjectName(qs(layout::ControlName(place.kind, n)));
        widget->setFont(FormFont(place.fontSize));
        widget->setGeometry(PixelRect(rect, dpi));
    }
    resize(size.width(), size.height() + menuBar()->sizeHint().height());
}

void AmbientView::buildMenus() {
    std::map<std::string, QMenu*> menus;
    for (const layout::MenuEntry& entry : layout::Menus()) {
        const std::string name = entry.name;
        QMenu* parent = entry.parent[0] != '\0' ? menus.at(entry.parent) : nullptr;
        if (parent != nullptr && entry.separatorBefore) {
            parent->addSeparator();
        }
        if (layout::IsSubmenu(entry)) {
            QMenu* menu = parent != nullptr
                              ? parent->addMenu(QString::fromStdString(entry.caption))
                              : menuBar()->addMenu(QString::fromStdString(entry.caption));
            menu->setObjectName(qs(name));
            menu->menuAction()->setObjectName(qs(name));
            menus[name] = menu;
            continue;
        }
        QAction* action = parent->addAction(QString::fromStdString(entry.caption));
        action->setObjectName(qs(name));
        action->setShortcut(QKeySequence(QString::fromUtf8(entry.shortcut)));
        action->setCheckable(entry.checkable);
        // Ctrl+X and Ctrl+A stay cut and select-all inside a text box: QLineEdit claims its
        // standard keys before window shortcuts fire.
        addAction(action);
        actions_[name] = action;
        if (const auto handler = menuHandlers().find(name); handler != menuHandlers().end()) {
            connect(action, &QAction::triggered, this, [this, method = handler->second] {
                run([this, method] { (window_.*method)(); });
            });
        }
    }
}

void AmbientView::redraw() {
    const bool all = !drawnOnce_;
    redrawTexts(all);
    redrawLabels(all);
    redrawChoices();
    redrawList(all);
    applyFocusRequest();
    drawn_ = window_.form();
    drawnOnce_ = true;
    emit redrawn();
}

void AmbientView::redrawTexts(bool all) {
    const FormAmbient& form = window_.form();
    for (int n = 1; n <= 16; ++n) {
        const TextBox& box = form.Text(n);
        const TextBox& old = drawn_.Text(n);
        QLineEdit* edit = texts_.at(n - 1);
        const QSignalBlocker blocker(edit);
        if (all || box.text != old.text) {
            edit->setText(qs(box.text));
        }
        if (all || box.locked != old.locked) {
            edit->setReadOnly(box.locked);
        }
        if (all || !(box.background == old.background)) {
            SetBackground(*edit, box.background);
        }
        if (all || box.fontSize != old.fontSize) {
            edit->setFont(FormFont(box.fontSize));
        }
    }
}

void AmbientView::redrawLabels(bool all) {
    const FormAmbient& form = window_.form();
    for (int n = 1; n <= 33; ++n) {
        const Label& label = form.Labels(n);
        const Label& old = drawn_.Labels(n);
        QLabel* widget = labels_.at(n - 1);
        if (all || label.caption != old.caption) {
            widget->setText(qs(label.caption));
        }
        if (all || !(label.background == old.background)) {
            if (label.background == colours::kWindowBackground) {
                widget->setAutoFillBackground(false); // the window shows through
            } else {
                SetBackground(*widget, label.background);
            }
        }
    }
}

void AmbientView::redrawChoices() {
    const FormAmbient& form = window_.form();
    for (int n = 1; n <= 16; ++n) {
        const ComboBox& model = form.Combo(n);
        QComboBox* combo = combos_.at(n - 1);
        const QSignalBlocker blocker(combo);
        if (combo->currentIndex() != model.listIndex) {
            combo->setCurrentIndex(model.listIndex);
        }
        if (combo->isVisibleTo(this) != model.visible) {
            combo->setVisible(model.visible);
        }
    }
    for (int n = 1; n <= 10; ++n) {
        QRadioButton* option = options_.at(n - 1);
        if (option->isChecked() != form.Option(n).value) {
            const QSignalBlocker blocker(option);
            option->setChecked(form.Option(n).value);
        }
    }
    for (const auto& [name, action] : actions_) {
        if (const MenuItem* item = checkMark(form, name)) {
            const QSignalBlocker blocker(action);
            if (action->isChecked() != item->checked) {
                action->setChecked(item->checked);
            }
            if (action->isEnabled() != item->enabled) {
                action->setEnabled(item->enabled);
            }
        }
    }
}

void AmbientView::redrawList(bool all) {
    const ListBox& list = window_.form().List1;
    if (all || list.items != drawn_.List1.items) {
        list_->clear();
        for (const std::string& item : list.items) {
            list_->addItem(qs(item));
        }
    }
    if (all || !(list.background == drawn_.List1.background)) {
        SetBackground(*list_, list.background);
    }
}

void AmbientView::applyFocusRequest() {
    FormAmbient& form = window_.form();
    for (int n = 1; n <= 16; ++n) {
        if (form.Text(n).focusRequested) {
            QLineEdit* edit = texts_.at(n - 1);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            form.Text(n).focusRequested = false;
        }
    }
}

void AmbientView::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    const windows::Closing closing = window_.Form_QueryUnload();
    redraw();
    if (closing == windows::Closing::StayOpen) {
        event->ignore();
        return;
    }
    ending_ = true;
    event->accept();
    if (window_.endProgram) {
        window_.endProgram();
    }
}

} // namespace hygrovane::forms
