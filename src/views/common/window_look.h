#pragma once

#include "views/common/view_support.h"

#include <QIcon>
#include <QRect>

class QWidget;

namespace hygrovane::views {

// The program's icon in all its sizes; every window shows it.
QIcon ApplicationIcon();

// The pixel rectangle of a design rectangle at the logical DPI of the widget's screen.
QRect PlaceOn(const QWidget& widget, const TwipsRect& rect);

// A window with a fixed single border, a close box only (no minimise or maximise box) and the
// given client area in twips.
void MakeFixedWindow(QWidget& window, int widthTwips, int heightTwips);

// A fixed window of the calculators beside the main window (the unit convertor, the saturation
// window): the program's icon, the windows' background and their face at 9 points.
void MakeCalculatorWindow(QWidget& window, int widthTwips, int heightTwips);

} // namespace hygrovane::views
