#include "views/saturation/saturation_window.h"

#include "views/common/control_binding.h"
#include "views/common/window_look.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace hygrovane::views {

namespace {

constexpr Colour kListColour{250, 251, 219};
constexpr int kControlLeft = 1680;
constexpr int kControlWidth = 2415;
constexpr int kListHeight = 345;

struct LabelPlace {
    Label models::SaturationModel::*label;
    int left, top, width, height;
};

constexpr LabelPlace kLabelPlaces[] = {
    {&models::SaturationModel::Label1, 120, 120, 1575, 255},
    {&models::SaturationModel::Label2, 120, 480, 1575, 255},
    {&models::SaturationModel::Label3, 120, 1560, 1575, 255},
    {&models::SaturationModel::Label4, 1680, 1560, 2415, 255},
    {&models::SaturationModel::Label5, 120, 2040, 1575, 255},
    {&models::SaturationModel::Label6, 120, 2520, 1575, 375},
    {&models::SaturationModel::Label7, 120, 3000, 1575, 375},
};

void drawList(QComboBox& combo, const ComboBox& model) {
    combo.setCurrentIndex(model.listIndex);
    combo.move(combo.x(), TwipsToPixels(model.top, combo.logicalDpiY()));
    combo.setVisible(model.visible);
}

} // namespace

SaturationWindow::SaturationWindow(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("Form_saturation"));
    MakeCalculatorWindow(*this, 4185, 3480);

    // Created in tab order.
    auto makeLabel = [this](int n) {
        const LabelPlace& place = kLabelPlaces[n - 1];
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(n));
        label->setGeometry(PlaceOn(*this, {place.left, place.top, place.width, place.height}));
        label->setWordWrap(true);
        labels_[n - 1] = label;
    };
    auto makeList = [this](const char* name, const ComboBox& model, int top) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setGeometry(PlaceOn(*this, {kControlLeft, top, kControlWidth, kListHeight}));
        SetBackground(*combo, kListColour);
        FillList(*combo, model);
        return combo;
    };
    auto makeBox = [this](const char* name, int top, int height) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        KeepOneLine(*edit);
        edit->setGeometry(PlaceOn(*this, {kControlLeft, top, kControlWidth, height}));
        return edit;
    };
    makeLabel(1);
    Combo1_ = makeList("Combo1", model_.Combo1, 120);
    makeLabel(2);
    Combo2_ = makeList("Combo2", model_.Combo2, model_.Combo2.top);
    Text1_ = makeBox("Text1", 960, 405);
    makeLabel(3);
    makeLabel(4);
    Combo3_ = makeList("Combo3", model_.Combo3, model_.Combo3.top);
    makeLabel(5);
    makeLabel(6);
    Text2_ = makeBox("Text2", 2520, 375);
    makeLabel(7);
    Text3_ = makeBox("Text3", 3000, 375);

    Form_Load(model_);
    redraw();

    // Only the user's actions reach the handlers: activated and textEdited are not raised when
    // redraw() sets a control.
    OnPick(*Combo1_, model_.Combo1, this, [this] {
        Combo1_Click(model_);
        redraw();
    });
    OnPick(*Combo2_, model_.Combo2, this, [this] {
        Combo2_Click(model_);
        redraw();
    });
    OnPick(*Combo3_, model_.Combo3, this, [this] {
        Combo3_Click(model_);
        redraw();
    });
    OnEdit(*Text1_, model_.Text1, this, [this] {
        Text1_Change(model_);
        redraw();
    });
}

void SaturationWindow::redraw() {
    setWindowTitle(QString::fromStdString(model_.Caption));
    const Label* models[] = {&model_.Label1, &model_.Label2, &model_.Label3, &model_.Label4,
                             &model_.Label5, &model_.Label6, &model_.Label7};
    for (int i = 0; i < 7; ++i) {
        DrawLabel(*labels_[i], *models[i]);
    }
    drawList(*Combo1_, model_.Combo1);
    drawList(*Combo2_, model_.Combo2);
    drawList(*Combo3_, model_.Combo3);
    DrawBox(*Text1_, model_.Text1);
    DrawBox(*Text2_, model_.Text2);
    DrawBox(*Text3_, model_.Text3);
}

void SaturationWindow::reload() {
    model_ = models::SaturationModel();
    Form_Load(model_);
    for (QLineEdit* edit : {Text1_, Text2_, Text3_}) {
        edit->setText(QString()); // no undo history from the last showing
    }
    redraw();
}

SaturationWindow* showSaturationWindow(QWidget* owner) {
    static QPointer<SaturationWindow> open;
    return ShowReloadedWindow(open, [owner] { return new SaturationWindow(owner); });
}

} // namespace hygrovane::views
