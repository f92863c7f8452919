// The climate window's costs on Chicago O'Hare's year (8,760 hours): a repaint of the chart with
// every hour as a point and with the hours in bins, as the chart window repaints (its background
// kept as a picture, the overlays painted over it) and as an export paints the whole chart, and a
// filter change (the hours chosen again, the figures, the bins and the overlay the chart draws).
#include "chart/chart.h"
#include "models/climate_model.h"
#include "views/chart/chart_painter.h"

#include <QImage>
#include <QPainter>

#include "painting_main.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace hygrovane;

constexpr QSize kWindow(1000, 640); // the canvas of the chart window at its first size

const models::LoadedClimate& Chicago() {
    static const models::LoadedClimate loaded = [] {
        auto read =
            models::LoadClimate(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw", {});
        if (!read) {
            std::fprintf(stderr, "%s\n", read.error().message.c_str());
            std::exit(1);
        }
        return read.value();
    }();
    return loaded;
}

chart::Overlay OverlayOf(models::ClimateDisplay::Marks marks) {
    models::ClimateModel window;
    window.accept(Chicago());
    models::ClimateDisplay display;
    display.marks = marks;
    window.setDisplay(display);
    return window.overlay();
}

// As ChartCanvas::paintEvent repaints: the kept background, then the foreground.
void CanvasRepaint(benchmark::State& state, models::ClimateDisplay::Marks marks,
                   const char* label) {
    const chart::Chart model;
    const chart::Overlay overlay = OverlayOf(marks);
    views::ChartScene scene;
    scene.model = &model;
    scene.statePoint = chart::ChartPoint{298.15, 0.00988};
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
    state.SetLabel(label);
}

void BM_RepaintPoints(benchmark::State& state) {
    CanvasRepaint(state, models::ClimateDisplay::Marks::Points, "8760 points, 1000 x 640");
}
void BM_RepaintBins(benchmark::State& state) {
    CanvasRepaint(state, models::ClimateDisplay::Marks::Bins, "bins, 1000 x 640");
}

// A whole chart painted with the hours, as a PNG export of 1920 x 1080 does.
void WholeChart(benchmark::State& state, models::ClimateDisplay::Marks marks, const char* label) {
    const chart::Chart model;
    const chart::Overlay overlay = OverlayOf(marks);
    views::ChartScene scene;
    scene.model = &model;
    scene.overlays.push_back(&overlay);
    const QSize size(1920, 1080);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        views::PaintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene);
    }
    state.SetLabel(label);
}
void BM_WholeChartPoints(benchmark::State& state) {
    WholeChart(state, models::ClimateDisplay::Marks::Points, "8760 points, 1920 x 1080");
}
void BM_WholeChartBins(benchmark::State& state) {
    WholeChart(state, models::ClimateDisplay::Marks::Bins, "bins, 1920 x 1080");
}

// Months that wrap and back, each change counted and drawn again.
void BM_FilterChange(benchmark::State& state) {
    models::ClimateModel window;
    window.accept(Chicago());
    models::ClimateDisplay display;
    display.marks = state.range(0) == 0 ? models::ClimateDisplay::Marks::Bins
                                        : models::ClimateDisplay::Marks::Points;
    window.setDisplay(display);
    climate::Filter winter;
    winter.firstMonth = 11;
    winter.lastMonth = 2;
    bool wrap = false;
    for (auto _ : state) {
        wrap = !wrap;
        window.setFilter(wrap ? winter : climate::Filter{});
        benchmark::DoNotOptimize(window.overlay());
    }
    state.SetLabel(state.range(0) == 0 ? "bins" : "points");
}

} // namespace

BENCHMARK(BM_RepaintPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintBins)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeChartPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeChartBins)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    return hygrovane::bench::RunPaintingBenchmarks(argc, argv);
}
