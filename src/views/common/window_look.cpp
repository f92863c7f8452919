#include "views/common/window_look.h"

#include <QWidget>

// Outside every namespace: the resource initialiser is a global function. Referencing it keeps
// the icon resources of the static library in every program that shows a window.
static void initialiseIconResources() {
    Q_INIT_RESOURCE(hygrovane_icons);
}

namespace hygrovane::views {

QIcon ApplicationIcon() {
    static const bool initialised = (initialiseIconResources(), true);
    (void)initialised;
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/hygrovane-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QRect PlaceOn(const QWidget& widget, const TwipsRect& rect) {
    return PixelRect(rect, widget.logicalDpiX());
}

void MakeFixedWindow(QWidget& window, int widthTwips, int heightTwips) {
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const int dpi = window.logicalDpiX();
    window.setFixedSize(TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi));
}

void MakeCalculatorWindow(QWidget& window, int widthTwips, int heightTwips) {
    MakeFixedWindow(window, widthTwips, heightTwips);
    window.setWindowIcon(ApplicationIcon());
    SetBackground(window, colours::kWindowBackground);
    window.setFont(FormFont(9));
}

} // namespace hygrovane::views
