#include "views/year/year_pdf.h"

#include "views/year/year_option_bars.h"

#include <QDate>
#include <QFont>
#include <QPainter>

namespace hygrovane::views {

report::ReportContent YearReport(const models::YearModel& model,
                                 const report::ReportOptions& options,
                                 const std::vector<MonthlySeries>& bars,
                                 const models::OptionBars& compared) {
    report::ReportContent content;
    const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    content.title = {options.project, options.notes, date, report::ProgramVersion()};
    content.table = model.reportTables(date);
    // The bars in the report's text size, whatever the window's font.
    const auto font = [](QPainter& painter) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(8);
        painter.setFont(f);
    };
    const QString heading = QStringLiteral("Unit %1 by month").arg(model.selected() + 1);
    content.figures.push_back([bars, font, heading](QPainter& painter, const QRectF& area) {
        font(painter);
        const double line = painter.fontMetrics().height();
        painter.drawText(QPointF(area.left(), area.top() + painter.fontMetrics().ascent()),
                         heading);
        PaintMonthlyBars(painter, area.adjusted(0, 1.5 * line, 0, 0).toRect(), bars);
    });
    content.figures.push_back([compared, font](QPainter& painter, const QRectF& area) {
        font(painter);
        PaintOptionBars(painter, area, compared);
    });
    return content;
}

} // namespace hygrovane::views
