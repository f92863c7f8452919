#include "views/common/view_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QValidator>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace hygrovane::views {

namespace {

bool breaksTheLine(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// Accepts every text after dropping what would break the line; the box then shows, and reports as
// edited, the text without it.
class OneLineValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        if (std::none_of(input.cbegin(), input.cend(), breaksTheLine)) {
            return Acceptable;
        }
        QString kept;
        kept.reserve(input.size());
        int caret = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (!breaksTheLine(input.at(i))) {
                kept.append(input.at(i));
            } else if (i < pos) {
                --caret;
            }
        }
        input = kept;
        pos = caret;
        return Acceptable;
    }
};

} // namespace

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

QRect PixelRect(const TwipsRect& rect, int dpi) {
    const int left = TwipsToPixels(rect.x, dpi);
    const int top = TwipsToPixels(rect.y, dpi);
    const int right = TwipsToPixels(rect.x + rect.width, dpi);
    const int bottom = TwipsToPixels(rect.y + rect.height, dpi);
    return {left, top, right - left, bottom - top};
}

QFont FormFont(double pointSize) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

QColor ToQColor(const Colour& colour) {
    if (colour.platformWindow) {
        return QApplication::palette().color(QPalette::Base);
    }
    return {colour.red, colour.green, colour.blue};
}

void SetBackground(QWidget& widget, const Colour& colour) {
    QPalette palette = widget.palette();
    const QColor qcolour = ToQColor(colour);
    palette.setColor(QPalette::Window, qcolour);
    palette.setColor(QPalette::Base, qcolour);
    palette.setColor(QPalette::Button, qcolour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void KeepOneLine(QLineEdit& edit) {
    edit.setValidator(new OneLineValidator(&edit));
}

std::function<void()>& YearPageOpener() {
    static std::function<void()> opener;
    return opener;
}

} // namespace hygrovane::views
