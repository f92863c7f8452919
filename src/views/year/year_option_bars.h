#pragma once

#include "models/year_model.h"

#include <QColor>
#include <QWidget>

class QPainter;

namespace hygrovane::views {

// The colour of a unit's bars, the same in the window, its legend and the PDF.
QColor OptionColour(std::size_t option);

// The units' monthly totals of one quantity as grouped bars (a group a month, a bar a unit, in
// the units' order), with a scale and a legend naming the units; on the screen and in the PDF.
void PaintOptionBars(QPainter& painter, const QRectF& area, const models::OptionBars& bars);

class OptionBarsChart : public QWidget {
  public:
    explicit OptionBarsChart(QWidget* parent = nullptr);
    void setBars(models::OptionBars bars);
    const models::OptionBars& bars() const { return bars_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    models::OptionBars bars_;
};

} // namespace hygrovane::views
