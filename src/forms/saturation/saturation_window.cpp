#include "forms/saturation/saturation_window.h"

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
    Label FormSaturation::*label;
    int left, top, width, height;
};

constexpr LabelPlace kLabelPlaces[] = {
    {&FormSaturation::Label1, 120, 120, 1575, 255},
    {&FormSaturation::Label2, 120, 480, 1575, 255},
    {&FormSaturation::Label3, 120, 1560, 1575, 255},
    {&FormSaturation::Label4, 1680, 1560, 2415, 255},
    {&FormSaturation::Label5, 120, 2040, 1575, 255},
    {&FormSaturation::Label6, 120, 2520, 1575, 375},
    {&FormSaturation::Label7, 120, 3000, 1575, 375},
};

void fillList(QComboBox& combo, const ComboBox& model) {
    for (const std::string& item : model.items) {
        combo.addItem(QString::fromStdString(item));
    }
}

void drawList(QComboBox& combo, const ComboBox& model) {
    combo.setCurrentIndex(model.listIndex);
    combo.move(combo.x(), TwipsToPixels(model.top, combo.logicalDpiY()));
    combo.setVisible(model.visible);
}

void drawBox(QLineEdit& edit, const TextBox& model) {
    const QString text = QString::fromStdString(model.text);
    if (edit.text() != text) {
        edit.setText(text);
    }
    edit.setReadOnly(model.locked);
    SetBackground(edit, model.background);
}

} // namespace

SaturationWindow::SaturationWindow(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("Form_saturation"));
    MakeFixedWindow(*this, 4185, 3480);
    setWindowIcon(ApplicationIcon());
    SetBackground(*this, colours::kWindowBackground);
    setFont(FormFont(9));

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
        fillList(*combo, model);
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
    connect(Combo1_, &QComboBox::activated, this, [this](int index) {
        form_.Combo1.listIndex = index;
        Combo1_Click(form_);
        redraw();
    });
    connect(Combo2_, &QComboBox::activated, this, [this](int index) {
        form_.Combo2.listIndex = index;
        Combo2_Click(form_);
        redraw();
    });
    connect(Combo3_, &QComboBox::activated, this, [this](int index) {
        form_.Combo3.listIndex = index;
        Combo3_Click(form_);
        redraw();
    });
    connect(Text1_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.Text1.text = text.toStdString();
        Text1_Change(form_);
        redraw();
    });
}

void SaturationWindow::redraw() {
    setWindowTitle(QString::fromStdString(form_.Caption));
    const Label* models[] = {&form_.Label1, &form_.Label2, &form_.Label3, &form_.Label4,
                             &form_.Label5, &form_.Label6, &form_.Label7};
    for (int i = 0; i < 7; ++i) {
        labels_[i]->setText(QString::fromStdString(models[i]->caption));
        SetBackground(*labels_[i], models[i]->background);
    }
    drawList(*Combo1_, form_.Combo1);
    drawList(*Combo2_, form_.Combo2);
    drawList(*Combo3_, form_.Combo3);
    drawBox(*Text1_, form_.Text1);
    drawBox(*Text2_, form_.Text2);
    drawBox(*Text3_, form_.Text3);
}

void SaturationWindow::reload() {
    form_ = FormSaturation();
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
