#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

class QPainter;

namespace hygrovane::views {

// One quantity's twelve months, drawn as a bar per month.
struct MonthlySeries {
    QString title;
    QColor colour;
    std::array<double, 12> values{};
};

// The monthly bar charts, one small chart a quantity, drawn with QPainter on the screen and in
// the PDF alike.
void PaintMonthlyBars(QPainter& painter, const QRect& area,
                      const std::vector<MonthlySeries>& series);

class MonthlyBars : public QWidget {
  public:
    explicit MonthlyBars(QWidget* parent = nullptr);
    void setSeries(std::vector<MonthlySeries> series);
    const std::vector<MonthlySeries>& series() const { return series_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<MonthlySeries> series_;
};

} // namespace hygrovane::views
