#include "views/about/about_window.h"

#include "views/common/window_look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace hygrovane::views {

namespace {

constexpr Colour kInvitationColour{255, 255, 192};

QFont arialFont(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget& window, const char* name, const std::string& text, QRect place,
                  const QFont& font) {
    auto* label = new QLabel(QString::fromStdString(text), &window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

AboutWindow::AboutWindow(models::Platform& platform, std::function<void()> onClose, QWidget* owner)
    : QWidget(owner), platform_(platform) {
    model_.onUnload = std::move(onClose);
    Form_Load(model_);

    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    MakeFixedWindow(*this, 5730, 5415);
    setWindowTitle(QString::fromStdString(model_.Caption));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(PlaceOn(*this, {240, 90, 540, 540}));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(ApplicationIcon().pixmap(32, 32));

    makeLabel(*this, "lblTitle", model_.lblTitle, PlaceOn(*this, {1050, 75, 4695, 240}),
              arialFont(9.75, true));
    makeLabel(*this, "lblVersion", model_.lblVersion, PlaceOn(*this, {1065, 345, 4710, 225}),
              arialFont(8.25));
    QLabel* description = makeLabel(*this, "lblDescription", model_.lblDescription,
                                    PlaceOn(*this, {1065, 585, 4665, 2430}), arialFont(9));
    QPalette black = description->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    description->setPalette(black);

    QLabel* invitation = makeLabel(*this, "Label1", model_.Label1,
                                   PlaceOn(*this, {60, 4274, 5715, 630}), arialFont(9.75));
    invitation->setAlignment(Qt::AlignCenter);
    SetBackground(*invitation, kInvitationColour);

    auto* button = new QPushButton(QString::fromStdString(model_.Command2Caption), this);
    button->setObjectName(QStringLiteral("Command2"));
    button->setGeometry(PlaceOn(*this, {27, 4897, 5730, 495}));
    button->setFont(FormFont(12));
    SetBackground(*button, colours::kButtonYellow);
    connect(button, &QPushButton::clicked, this, [this] { Command2_Click(model_, platform_); });
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted() && !unloaded_) {
        unloaded_ = true;
        emit closed();
        Form_Unload(model_);
    }
}

// The etched separator: a white line over a grey one.
void AboutWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    const int dpi = logicalDpiX();
    auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(px(285), px(3135), px(5834), px(3135));
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(px(195), px(3195), px(5759), px(3195));
}

AboutWindow* showAboutBox(models::Platform& platform, std::function<void()> onClose,
                          QWidget* owner) {
    static QPointer<AboutWindow> open;
    return ShowSecondaryWindow(
        open, [&] { return new AboutWindow(platform, std::move(onClose), owner); });
}

} // namespace hygrovane::views
