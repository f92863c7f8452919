#include "views/year/year_pdf.h"

#include "views/year/year_option_bars.h"

#include <QDate>
#include <QFont>
#include <QPainter>

#include <utility>

namespace hygrovane::views {

namespace {

// Characters of a unit's settings on one line of the title block.
constexpr std::size_t kSettingsLine = 90;

} // namespace

report::ReportContent YearReport(const models::YearModel& model,
                                 const report::ReportOptions& options,
                                 const std::vector<MonthlySeries>& bars,
                                 const models::OptionBars& compared) {
    report::ReportContent content;
    const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    content.title = {options.project, options.notes, date, report::ProgramVersion()};
    content.table = model.reportTables(date);
    // A unit's settings take more than a line of the title block: continued on lines of their
    // own, without a key, as the notes are, each broken after a comma.
    std::vector<tables::TitleEntry> block;
    for (tables::TitleEntry& entry : content.table.titleBlock) {
        if (!entry.key.starts_with("unit ") || entry.value.text.size() <= kSettingsLine) {
            block.push_back(std::move(entry));
            continue;
        }
        std::string key = entry.key, line;
        std::size_t begin = 0;
        const std::string& text = entry.value.text;
        while (begin < text.size()) {
            std::size_t end = text.find(", ", begin);
            end = end == std::string::npos ? text.size() : end + 2;
            if (!line.empty() && line.size() + (end - begin) > kSettingsLine) {
                block.push_back({std::exchange(key, std::string()), tables::TextCell(line)});
                line.clear();
            }
            line += text.substr(begin, end - begin);
            begin = end;
        }
        block.push_back({key, tables::TextCell(line)});
    }
    content.table.titleBlock = std::move(block);
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
