#include "forms/common/view_support.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace hygrovane::forms {

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

} // namespace hygrovane::forms
