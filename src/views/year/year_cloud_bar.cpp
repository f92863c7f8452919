#include "views/year/year_cloud_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace hygrovane::views {

YearCloudBar::YearCloudBar(models::YearModel& model, Actions actions, QWidget* owner)
    : QWidget(owner), model_(model), actions_(std::move(actions)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("On the chart:"), this));
    for (const models::UnitNode node : models::kUnitNodes) {
        const QString name = QString::fromStdString(models::NameOf(node));
        auto* box = new QCheckBox(name, this);
        // The checkbox's icon is the node's colour on the chart: the key beside the control.
        const chart::OverlayColour c = models::ColourOf(node);
        QPixmap swatch(10, 10);
        swatch.fill(QColor(c.red, c.green, c.blue));
        box->setIcon(QIcon(swatch));
        box->setObjectName(QStringLiteral("ShowNode ") + name);
        box->setChecked(model_.nodeShown(node));
        connect(box, &QCheckBox::toggled, this, [this, node](bool shown) {
            model_.showNode(node, shown);
            actions_.changed();
        });
        row->addWidget(box);
    }
    const auto button = [&](const char* name, const char* caption, std::function<void()> run) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [run = std::move(run)] { run(); });
        row->addWidget(b);
    };
    button("ShowHourOnChart", "Draw the hour", [this] { actions_.showHour(); });
    button("ClearHourOnChart", "Clear the hour", [this] {
        model_.clearPickedHour();
        actions_.changed();
    });
    button("ShowChart", "Chart…", [this] { actions_.showChart(); });
    row->addStretch();
}

} // namespace hygrovane::views
