#pragma once

#include "models/calculator/controls.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>
#include <string_view>

class QLineEdit;
class QWidget;

namespace hygrovane::views {

// A text of the models (UTF-8) for a widget.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A design position in twips (1/1440 inch).
struct TwipsRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Twips to pixels at a logical DPI, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

// The pixel rectangle of a design rectangle; neighbours that touch in twips touch in pixels.
QRect PixelRect(const TwipsRect& rect, int dpi);

// The windows' face: Times New Roman bold at the given point size.
QFont FormFont(double pointSize);

// An RGB colour, or the platform's window colour (the base of an editable box).
QColor ToQColor(const Colour& colour);

// Paints a widget's background (and the base of an input box) in a colour.
void SetBackground(QWidget& widget, const Colour& colour);

// Keeps a value box to one line: line breaks and other control characters, typed, pasted or set,
// are dropped, and the caret stays after what it followed. The text the box reports as edited is
// the one it shows.
void KeepOneLine(QLineEdit& edit);

// Opens the year page; the program sets it, since the page's library lies above the climate and
// processes windows that offer it. Empty: their "Year…" buttons do nothing.
std::function<void()>& YearPageOpener();

// Shows the one instance of a secondary window: the open one is brought to the front, a closed one
// (waiting for its deferred deletion) is replaced by a fresh window from make(), so that every
// showing starts from the window's load state.
template <typename Window, typename Make>
Window* ShowSecondaryWindow(QPointer<Window>& open, Make make) {
    if (!open || !open->isVisible()) {
        open = make();
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

// Shows the one instance of a secondary window that is made once and only hidden when closed: the
// open one is brought to the front, a hidden one is reloaded (reload() puts it back into its load
// state) before it is shown again. A window made anew for every showing would cost memory each
// time: its controls get new palettes, and Qt 6.4's pixmap cache keeps for good a key for every
// palette the style has drawn a list or button with (about 2.7 KB a showing).
template <typename Window, typename Make>
Window* ShowReloadedWindow(QPointer<Window>& window, Make make) {
    if (!window) {
        window = make();
    } else if (!window->isVisible()) {
        window->reload();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace hygrovane::views
