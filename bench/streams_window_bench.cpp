// The measured streams on the chart: a repaint of the chart window's canvas with 100,000 marks
// (five streams of 20,000 five-minute readings, about ten weeks), as ChartCanvas repaints (its
// background kept, the overlays painted over it), and the hover's lookup of the nearest mark.
// Run with --benchmark_repetitions=9 for the median.
#include "chart/chart.h"
#include "models/streams_model.h"
#include "views/chart/chart_painter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include "painting_main.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

using namespace hygrovane;

constexpr QSize kWindow(1000, 640);
constexpr int kSteps = 20000;

// Five streams at five-minute steps: outdoor swinging by the day, the others after it.
const models::StreamsModel& Judged() {
    static const models::StreamsModel judged = [] {
        std::string text = "Timestamp,OA Temp (°C),OA RH (%),RA Temp (°C),RA RH (%),MA Temp (°C),"
                           "MA RH (%),AR Temp (°C),AR RH (%),SA Temp (°C),SA RH (%)\n";
        for (int i = 0; i < kSteps; ++i) {
            const double day = 2 * M_PI * i / 288;
            const double to = 8 + 8 * std::sin(day) + 3 * std::sin(day / 17);
            const double tr = 22 + std::sin(day);
            char row[256];
            const int minutes = i * 5;
            int month = 1, date = minutes / 1440;
            static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            while (date >= kLengths[month - 1]) {
                date -= kLengths[month - 1];
                ++month;
            }
            std::snprintf(row, sizeof row,
                          "2025-%02d-%02d %02d:%02d,%.2f,%.1f,%.2f,%.1f,%.2f,%.1f,%.2f,%.1f,%.2f,"
                          "%.1f\n",
                          month, date + 1, (minutes / 60) % 24, minutes % 60, to,
                          70 - 20 * std::sin(day), tr, 40.0, 0.3 * to + 0.7 * tr, 45.0,
                          0.3 * to + 0.7 * tr + 2, 42.0, 14 + std::sin(day), 60.0);
            text += row;
        }
        const QString path = QDir::temp().filePath(QStringLiteral("streams-bench.csv"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size())) {
            std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
            std::exit(1);
        }
        file.close();
        models::StreamsModel model;
        auto added = model.addFile(path.toStdString());
        auto ran =
            added ? model.run(model.setup()) : Expected<Done, std::string>(Fail(added.error()));
        if (!ran) {
            std::fprintf(stderr, "%s\n", ran.error().c_str());
            std::exit(1);
        }
        return model;
    }();
    return judged;
}

void BM_RepaintStreams(benchmark::State& state) {
    const chart::Chart model;
    const chart::Overlay overlay = Judged().overlay();
    views::ChartScene scene;
    scene.model = &model;
    scene.overlays.push_back(&overlay);
    const views::ChartLayout layout = views::LayoutChart(QRectF(QPointF(0, 0), QSizeF(kWindow)));
    QImage background(kWindow, QImage::Format_ARGB32_Premultiplied);
    background.fill(Qt::white);
    {
        QPainter painter(&background);
        views::PaintChartBackground(painter, layout, scene);
    }
    QImage image(kWindow, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.drawImage(0, 0, background);
        views::PaintChartForeground(painter, layout, scene);
    }
    state.SetLabel(std::to_string(overlay.dots.size()) + " marks, 1000 x 640");
}

void BM_HoverLookup(benchmark::State& state) {
    const models::StreamsModel& judged = Judged();
    double t = 280;
    for (auto _ : state) {
        t = t > 300 ? 280 : t + 0.37;
        benchmark::DoNotOptimize(judged.hoverTextAt({t, 0.006}));
    }
    state.SetLabel("nearest of 100,000 marks");
}

} // namespace

BENCHMARK(BM_RepaintStreams)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoverLookup)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    return hygrovane::bench::RunPaintingBenchmarks(argc, argv);
}
