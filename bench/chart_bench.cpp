// The psychrometric chart painted at 1920 x 1080 into an image, as the chart window and the PNG
// export paint it: a full repaint with the curves kept, and a repaint after a change of the
// pressure, the curves computed again by the core. The computation alone is measured too, for
// both formulations.
#include "chart/chart.h"
#include "views/chart/chart_painter.h"

#include <QImage>
#include <QPainter>

#include "painting_main.h"

#include <benchmark/benchmark.h>

namespace {

using namespace hygrovane;

constexpr QSize kSize(1920, 1080);

views::ChartScene SceneOf(const chart::Chart& model) {
    views::ChartScene scene;
    scene.model = &model;
    scene.title = {"Psychrometric chart", "Barometric pressure 101.325 kPa",
                   "IAPWS saturation formulation", "Hygrovane 1.1.1"};
    scene.statePoint = chart::ChartPoint{298.15, 0.00988};
    return scene;
}

void Paint(QImage& image, const views::ChartScene& scene) {
    QPainter painter(&image);
    views::PaintChart(painter, QRectF(QPointF(0, 0), QSizeF(kSize)), scene);
}

void BM_Repaint(benchmark::State& state) {
    const chart::Chart model;
    const views::ChartScene scene = SceneOf(model);
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        Paint(image, scene);
    }
    state.SetLabel("1920 x 1080, curves kept");
}

void BM_RepaintAfterPressureChange(benchmark::State& state) {
    chart::Chart model;
    chart::ChartSettings settings = model.settings();
    const views::ChartScene scene = SceneOf(model);
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    bool low = false;
    for (auto _ : state) {
        low = !low;
        settings.pressure = low ? 95000 : 101325;
        model.setSettings(settings);
        Paint(image, scene);
    }
    state.SetLabel("1920 x 1080, curves computed again");
}

void BM_ComputeCurves(benchmark::State& state) {
    chart::ChartSettings settings;
    settings.formulation =
        state.range(0) == 1 ? SatFormulation::IAPWS : SatFormulation::HylandWexler;
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart::ComputeGeometry(settings.pressure, settings.formulation,
                                                        settings.units, settings.range));
    }
    state.SetLabel(state.range(0) == 1 ? "IAPWS" : "Hyland-Wexler");
}

BENCHMARK(BM_Repaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintAfterPressureChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeCurves)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    return hygrovane::bench::RunPaintingBenchmarks(argc, argv);
}
