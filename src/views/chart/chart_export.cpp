#include "views/chart/chart_export.h"

#include "views/chart/climate_painter.h"

#include <QBuffer>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace hygrovane::views {

namespace {

QString Description(const ChartScene& scene) {
    return QString::fromStdString(scene.title.air + ", " + scene.title.formulation + ", " +
                                  scene.title.program);
}

} // namespace

QByteArray ChartPng(const ChartScene& scene, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    {
        QPainter painter(&image);
        PaintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray ChartSvg(const ChartScene& scene, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QString::fromStdString(scene.title.heading));
    svg.setDescription(Description(scene));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return {};
    }
    PaintChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene);
    painter.end();
    return bytes;
}

QByteArray ChartPdf(const ChartScene& scene) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(QString::fromStdString(scene.title.heading));
    pdf.setCreator(QString::fromStdString(scene.title.program));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return {};
    }
    PaintChart(painter, QRectF(0, 0, pdf.width(), pdf.height()), scene);
    PaintOverlayTables(painter, pdf, scene);
    painter.end();
    return bytes;
}

void PrintChart(const ChartScene& scene, QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (painter.begin(&device)) {
        PaintChart(painter, QRectF(0, 0, device.width(), device.height()), scene);
        painter.end();
    }
}

} // namespace hygrovane::views
