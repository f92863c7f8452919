#include "views/convertor/convertor_window.h"

#include "views/common/control_binding.h"
#include "views/common/window_look.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace hygrovane::views {

namespace {

constexpr Colour kListColour{250, 251, 219};
constexpr int kLeft = 120;
constexpr int kWidth = 2415;
constexpr int kLastQuantity = models::kConvertorQuantities - 1;

void drawList(QComboBox& combo, const ComboBox& model) {
    combo.setCurrentIndex(model.listIndex);
    combo.setVisible(model.visible);
}

} // namespace

ConvertorWindow::ConvertorWindow(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("Form_unit_convertor"));
    MakeCalculatorWindow(*this, 2625, 3330);

    auto makeLabel = [this](const QString& name, int top) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setGeometry(PlaceOn(*this, {kLeft, top, kWidth, 255}));
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    auto makeList = [this](const QString& name, const ComboBox& model, int top, Colour colour) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setGeometry(PlaceOn(*this, {kLeft, top, kWidth, 345}));
        if (!colour.platformWindow) {
            SetBackground(*combo, colour);
        }
        FillList(*combo, model);
        return combo;
    };
    auto makeBox = [this](const QString& name, int top) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        KeepOneLine(*edit);
        edit->setGeometry(PlaceOn(*this, {kLeft, top, kWidth, 285}));
        return edit;
    };
    auto arrayColour = [](int k) {
        return k == kLastQuantity ? kListColour : colours::kPlatformWindow;
    };

    Label1_ = makeLabel(QStringLiteral("Label1"), 120);
    Combo1_ = makeList(QStringLiteral("Combo1"), model_.Combo1, 480, kListColour);
    Label2_ = makeLabel(QStringLiteral("Label2"), 960);
    Text1_ = makeBox(QStringLiteral("Text1"), 1320);
    Label3_ = makeLabel(QStringLiteral("Label3"), 2160);
    Text2_ = makeBox(QStringLiteral("Text2"), 2520);
    for (int k = 0; k < models::kConvertorQuantities; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Combo2_[i] =
            makeList(QStringLiteral("Combo2_%1").arg(k), model_.Combo2[i], 1680, arrayColour(k));
        Combo3_[i] =
            makeList(QStringLiteral("Combo3_%1").arg(k), model_.Combo3[i], 2880, arrayColour(k));
    }
    // Tab order: Combo1, Text1, Text2, Combo3(0), Combo2(0..6), Combo3(1..6).
    QWidget* previous = Combo1_;
    auto follow = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    follow(Text1_);
    follow(Text2_);
    follow(Combo3_[0]);
    for (QComboBox* combo : Combo2_) {
        follow(combo);
    }
    for (std::size_t k = 1; k < Combo3_.size(); ++k) {
        follow(Combo3_[k]);
    }

    Form_Load(model_);
    redraw();

    // Only the user's actions reach the handlers: activated and textEdited are not raised when
    // redraw() sets a control.
    OnPick(*Combo1_, model_.Combo1, this, [this] {
        Combo1_Click(model_);
        redraw();
    });
    for (int k = 0; k < models::kConvertorQuantities; ++k) {
        const auto i = static_cast<std::size_t>(k);
        OnPick(*Combo2_[i], model_.Combo2[i], this, [this, k] {
            Combo2_Click(model_, k);
            redraw();
        });
        OnPick(*Combo3_[i], model_.Combo3[i], this, [this, k] {
            Combo3_Click(model_, k);
            redraw();
        });
    }
    OnEdit(*Text1_, model_.Text1, this, [this] {
        Text1_Change(model_);
        redraw();
    });
}

void ConvertorWindow::redraw() {
    setWindowTitle(QString::fromStdString(model_.Caption));
    DrawLabel(*Label1_, model_.Label1);
    DrawLabel(*Label2_, model_.Label2);
    DrawLabel(*Label3_, model_.Label3);
    drawList(*Combo1_, model_.Combo1);
    for (std::size_t k = 0; k < Combo2_.size(); ++k) {
        drawList(*Combo2_[k], model_.Combo2[k]);
        drawList(*Combo3_[k], model_.Combo3[k]);
    }
    DrawBox(*Text1_, model_.Text1);
    DrawBox(*Text2_, model_.Text2);
    if (model_.Text1.focusRequested) {
        Text1_->setFocus(Qt::OtherFocusReason);
        Text1_->selectAll();
        model_.Text1.focusRequested = false;
    }
}

void ConvertorWindow::reload() {
    model_ = models::ConvertorModel();
    Form_Load(model_);
    for (QLineEdit* edit : {Text1_, Text2_}) {
        edit->setText(QString()); // no undo history from the last showing
    }
    redraw();
}

ConvertorWindow* showUnitConvertor(QWidget* owner) {
    static QPointer<ConvertorWindow> open;
    return ShowReloadedWindow(open, [owner] { return new ConvertorWindow(owner); });
}

} // namespace hygrovane::views
