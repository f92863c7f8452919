#include "views/ambient/ambient_window.h"

#include "hygrovane/config.h"
#include "views/ambient/ambient_layout.h"
#include "views/common/view_support.h"

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

namespace hygrovane::views {

namespace layout = ambient_layout;

namespace {

using MenuHandler = void (models::AmbientModel::*)();

const std::map<std::string, MenuHandler>& menuHandlers() {
    static const std::map<std::string, MenuHandler> handlers{
        {"menu_open", &models::AmbientModel::menu_open_Click},
        {"menu_save", &models::AmbientModel::menu_save_Click},
        {"menu_saveas", &models::AmbientModel::menu_saveas_Click},
        {"menu_report", &models::AmbientModel::menu_report_Click},
        {"exit_menu", &models::AmbientModel::exit_menu_Click},
        {"menu_IAPWS", &models::AmbientModel::menu_IAPWS_Click},
        {"menu_HW", &models::AmbientModel::menu_HW_Click},
        {"menu_metric", &models::AmbientModel::menu_metric_Click},
        {"menu_british", &models::AmbientModel::menu_british_Click},
        {"menu_convertor", &models::AmbientModel::menu_convertor_Click},
        {"menu_sat", &models::AmbientModel::menu_sat_Click},
        {"menu_chart", &models::AmbientModel::menu_chart_Click},
        {"menu_processes", &models::AmbientModel::menu_processes_Click},
        {"menu_batch", &models::AmbientModel::menu_batch_Click},
        {"help_index_menu", &models::AmbientModel::help_index_menu_Click},
        {"abou_menu", &models::AmbientModel::abou_menu_Click},
    };
    return handlers;
}

// The menu items whose check marks the model holds.
const MenuItem* checkMark(const AmbientForm& form, const std::string& name) {
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

AmbientWindow::AmbientWindow(models::Platform& platform, QWidget* parent)
    : QMainWindow(parent), model_(platform) {
    setObjectName(QStringLiteral("Form_ambient"));
    setWindowTitle(QString::fromUtf8(config::kApplicationTitle));
    model_.form().decimalSeparator = QString(QLocale().decimalPoint()).toStdString();
    model_.guideFolders = UsersGuideFolders();
    model_.endProgram = [this] {
        ending_ = true;
        QCoreApplication::exit(0);
    };
    buildControls();
    buildMenus();
    redraw();
}

void AmbientWindow::load() {
    run([this] { model_.Form_Load(); });
}

void AmbientWindow::buildControls() {
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
    AmbientForm& form = model_.form();
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
                    [this, n] { run([this, n] { model_.Option_Click(n); }); });
            options_.at(n - 1) = option;
            widget = option;
            break;
        }
        case layout::Kind::Text: {
            auto* edit = new QLineEdit(parent);
            KeepOneLine(*edit);
            connect(edit, &QLineEdit::textEdited, this, [this, n](const QString& text) {
                model_.form().Text(n).text = text.toStdString();
                drawn_.Text(n).text = model_.form().Text(n).text; // the box shows it already
                run([this, n] { model_.Text_Change(n); });
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
                if (model_.form().Combo(n).listIndex == index) {
                    return;
                }
                model_.form().Combo(n).listIndex = index;
                run([this, n] { model_.Combo_Click(n); });
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
                    [this] { run([this] { model_.Command1_Click(); }); });
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

void AmbientWindow::buildMenus() {
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
                run([this, method] { (model_.*method)(); });
            });
        }
    }
}

void AmbientWindow::redraw() {
    const bool all = !drawnOnce_;
    redrawTexts(all);
    redrawLabels(all);
    redrawChoices();
    redrawList(all);
    applyFocusRequest();
    drawn_ = model_.form();
    drawnOnce_ = true;
    emit redrawn();
}

void AmbientWindow::redrawTexts(bool all) {
    const AmbientForm& form = model_.form();
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

void AmbientWindow::redrawLabels(bool all) {
    const AmbientForm& form = model_.form();
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

void AmbientWindow::redrawChoices() {
    const AmbientForm& form = model_.form();
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

void AmbientWindow::redrawList(bool all) {
    const ListBox& list = model_.form().List1;
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

void AmbientWindow::applyFocusRequest() {
    AmbientForm& form = model_.form();
    for (int n = 1; n <= 16; ++n) {
        if (form.Text(n).focusRequested) {
            QLineEdit* edit = texts_.at(n - 1);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            form.Text(n).focusRequested = false;
        }
    }
}

void AmbientWindow::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    const models::Closing closing = model_.Form_QueryUnload();
    redraw();
    if (closing == models::Closing::StayOpen) {
        event->ignore();
        return;
    }
    ending_ = true;
    event->accept();
    if (model_.endProgram) {
        model_.endProgram();
    }
}

} // namespace hygrovane::views
