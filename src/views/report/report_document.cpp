#include "views/report/report_document.h"

#include "hygrovane/config.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <map>

namespace hygrovane::views::report {

namespace {

QFont FontOf(Style style) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    switch (style) {
    case Style::Heading:
        font.setPointSizeF(15);
        font.setBold(true);
        break;
    case Style::Label:
        font.setPointSizeF(9.5);
        font.setBold(true);
        break;
    case Style::Header:
        font.setPointSizeF(7.5);
        font.setBold(true);
        break;
    case Style::Text:
        font.setPointSizeF(9.5);
        break;
    case Style::Cell:
        font.setPointSizeF(7.5);
        break;
    case Style::Footer:
        font.setPointSizeF(7);
        break;
    }
    return font;
}

constexpr Style kStyles[] = {Style::Heading, Style::Label, Style::Text,
                             Style::Header,  Style::Cell,  Style::Footer};

// Text measured with the fonts as the device resolves them, so that the boxes laid out are the
// boxes painted.
class DeviceMeasure {
  public:
    explicit DeviceMeasure(QPaintDevice& device) {
        for (Style style : kStyles) {
            metrics_.emplace(style, QFontMetricsF(FontOf(style), &device));
        }
    }
    Measure measure() const {
        return {[this](Style style, const QString& text) {
                    return metrics_.at(style).horizontalAdvance(text);
                },
                [this](Style style) { return metrics_.at(style).height(); }};
    }

  private:
    std::map<Style, QFontMetricsF> metrics_;
};

// Paints the items of the pages from `first` to `last`, calling newPage between two.
template <typename NewPage>
void Paint(QPainter& painter, const ReportContent& content, const Layout& layout, int first,
           int last, NewPage newPage) {
    QPen rule(Qt::black);
    rule.setWidthF(painter.device()->logicalDpiX() / 200.0);
    for (int page = first; page <= last; ++page) {
        if (page > first) {
            newPage();
        }
        for (const Item& item : layout.items) {
            if (item.page != page) {
                continue;
            }
            switch (item.kind) {
            case Item::Kind::Text:
                painter.setFont(FontOf(item.style));
                painter.setPen(item.style == Style::Footer ? QColor(90, 90, 90)
                                                           : QColor(Qt::black));
                painter.drawText(item.box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                                 item.text);
                break;
            case Item::Kind::Rule:
                painter.setPen(rule);
                painter.drawLine(item.box.topLeft(), item.box.topRight());
                break;
            case Item::Kind::Chart:
                if (content.chart) {
                    PaintChart(painter, item.box, *content.chart);
                }
                break;
            case Item::Kind::Figure:
                if (item.figure < content.figures.size() && content.figures[item.figure]) {
                    painter.save();
                    content.figures[item.figure](painter, item.box);
                    painter.restore();
                }
                break;
            }
        }
    }
}

} // namespace

std::optional<Layout> PaintReport(const ReportContent& content, QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Landscape);
    device.setPageMargins(QMarginsF(12, 12, 12, 10), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        return std::nullopt;
    }
    const DeviceMeasure measure(device);
    Layout layout =
        LayoutReport(content.title, content.table, content.chart.has_value(), measure.measure(),
                     QSizeF(device.width(), device.height()), content.figures.size());
    Paint(painter, content, layout, 0, layout.pages - 1, [&] { device.newPage(); });
    painter.end();
    return layout;
}

QByteArray ReportPdf(const ReportContent& content, QPageSize::PageSizeId paper, Layout* painted) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::optional<Layout> layout;
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(paper));
        pdf.setResolution(300);
        pdf.setTitle(QString::fromStdString(content.title.project.empty() ? "Design report"
                                                                          : content.title.project));
        pdf.setCreator(QString::fromStdString(content.title.program));
        layout = PaintReport(content, pdf);
    }
    if (!layout) {
        return {};
    }
    if (painted != nullptr) {
        *painted = *layout;
    }
    return bytes;
}

QImage ReportPageImage(const ReportContent& content, QPageSize::PageSizeId paper, int page,
                       int dpi) {
    const QPageLayout pageLayout(QPageSize(paper), QPageLayout::Landscape,
                                 QMarginsF(12, 12, 12, 10), QPageLayout::Millimeter);
    QImage image(pageLayout.fullRectPixels(dpi).size(), QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    const QRect paint = pageLayout.paintRectPixels(dpi);
    const DeviceMeasure measure(image);
    const Layout layout =
        LayoutReport(content.title, content.table, content.chart.has_value(), measure.measure(),
                     QSizeF(paint.size()), content.figures.size());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(paint.topLeft());
    Paint(painter, content, layout, page, page, [] {});
    return image;
}

std::string ProgramVersion() {
    return "Hygrovane " + std::to_string(config::kVersionMajor) + "." +
           std::to_string(config::kVersionMinor) + "." + std::to_string(config::kVersionPatch);
}

} // namespace hygrovane::views::report
