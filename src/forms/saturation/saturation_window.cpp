#include "forms/saturation/saturation_window.h"

#include "forms/common/control_binding.h"
#include "forms/common/window_look.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace hygrovane::forms {

namespace {

constexpr Colour kListColour{250, 251, 219};
constexpr int kControlLeft = 1680;
constexpr int kControlWidth = 2415;
constexpr int kListHeight = 345;

struct LabelPlace {
    Label windows::FormSaturation::*label;
    int left, top, width, height;
};

constexpr LabelPlace kLabelPlaces[] = {
    {&windows::FormSaturation::Label1, 120, 120, 1575, 255},
    {&windows::FormSaturation::Label2, 120, 480, 1575, 255},
    {&windows::FormSaturation::Label3, 120, 1560, 1575, 255},
    {&windows::FormSaturation::Label4, 1680, 1560, 2415, 255},
    {&windows::FormSaturation::Label5, 120, 2040, 1575, 255},
    {&windows::FormSaturation::Label6, 120, 2520, 1575, 375},
    {&windows::FormSaturation::Label7, 120, 3000, 1575, 375},
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
    Combo1_ = makeList("Combo1", form_.Combo1, 120);
    makeLabel(2);
    Combo2_ = makeList("Combo2", form_.Combo2, form_.Combo2.top);
    Text1_ = makeBox("Text1", 960, 405);
    makeLabel(3);
    makeLabel(4);
    Combo3_ = makeList("Combo3", form_.Combo3, form_.Combo3.top);
    makeLabel(5);
    makeLabel(6);
    Text2_ = makeBox("Text2", 2520, 375);
    makeLabel(7);
    Text3_ = makeBox("Text3", 3000, 375);

    Form_Load(form_);
    redraw();

    // Only the user's actions reach the handlers: activated and textEdited are not raised when
    // redraw() sets a control.
    OnPick(*Combo1_, form_.Combo1, this, [this] {
        Combo1_Click(form_);
        redraw();
    });
    OnPick(*Combo2_, form_.Combo2, this, [this] {
        Combo2_Click(form_);
        redraw();
    });
    OnPick(*Combo3_, form_.Combo3, this, [this] {
        Combo3_Click(form_);
        redraw();
    });
    OnEdit(*Text1_, form_.Text1, this, [this] {
        Text1_Change(form_);
        redraw();
    });
}

void SaturationWindow::redraw() {
    setWindowTitle(QString::fromStdString(form_.Caption));
    const Label* models[] = {&form_.Label1, &form_.Label2, &form_.Label3, &form_.Label4,
                             &form_.Label5, &form_.Label6, &form_.Label7};
    for (int i = 0; i < 7; ++i) {
        DrawLabel(*labels_[i], *models[i]);
    }
    drawList(*Combo1_, form_.Combo1);
    drawList(*Combo2_, form_.Combo2);
    drawList(*Combo3_, form_.Combo3);
    DrawBox(*Text1_, form_.Text1);
    DrawBox(*Text2_, form_.Text2);
    DrawBox(*Text3_, form_.Text3);
}

void SaturationWindow::reload() {
    form_ = windows::FormSaturation();
    Form_Load(form_);
    for (QLineEdit* edit : {Text1_, Text2_, Text3_}) {
        edit->setText(QString()); // no undo history from the last showing
    }
    redraw();
}

SaturationWindow* showSaturationWindow(QWidget* owner) {
    static QPointer<SaturationWindow> open;
    return ShowReloadedWindow(open, [owner] { return new SaturationWindow(owner); });
}

} // namespace hygrovane::forms
