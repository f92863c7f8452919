#include "chart/label_placer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hygrovane::chart {

LabelRect RectAround(PixelPoint centre, double width, double height) {
    return {centre.x - width / 2, centre.y - height / 2, width, height};
}

MeasureText FixedWidthMeasure(double characterWidth, double height) {
    return [=](const std::string& text) {
        // Characters, not bytes: a UTF-8 continuation byte adds no width.
        const auto n = std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        });
        return TextSize{characterWidth * static_cast<double>(n), height};
    };
}

namespace {

class Field {
  public:
    Field(const LabelField& field, std::size_t count) : field_(field) {
        taken_ = field.obstacles;
        taken_.reserve(taken_.size() + count);
    }

    bool free(const LabelRect& box, const std::vector<LabelRect>& regions) const {
        const bool within = regions.empty()
                                ? box.inside(field_.frame)
                                : std::any_of(regions.begin(), regions.end(),
                                              [&](const LabelRect& r) { return box.inside(r); });
        if (!within) {
            return false;
        }
        const LabelRect spaced = box.grown(field_.gap);
        return std::none_of(taken_.begin(), taken_.end(),
                            [&](const LabelRect& t) { return t.overlaps(spaced); });
    }
    void take(const LabelRect& box) { taken_.push_back(box); }

  private:
    const LabelField& field_;
    std::vector<LabelRect> taken_;
};

// The point a distance along a polyline, or none past its end.
bool PointAlong(const std::vector<PixelPoint>& line, double distance, PixelPoint& out) {
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double dx = line[i].x - line[i - 1].x;
        const double dy = line[i].y - line[i - 1].y;
        const double length = std::hypot(dx, dy);
        if (distance <= length && length > 0) {
            out = {line[i - 1].x + dx * distance / length, line[i - 1].y + dy * distance / length};
            return true;
        }
        distance -= length;
    }
    return false;
}

PlacedLabel Place(const LabelRequest& request, TextSize size, Field& field,
                  const LabelField& whole) {
    const double w = size.width;
    const double h = size.height;
    const auto tryAt = [&](PixelPoint centre, bool leader, PlacedLabel& out) {
        const LabelRect box = RectAround(centre, w, h);
        if (field.free(box, request.regions)) {
            out = {box, leader, true};
            return true;
        }
        return false;
    };
    PlacedLabel out;
    if (tryAt(request.at, false, out)) {
        return out;
    }
    for (const PixelPoint p : request.others) {
        if (tryAt(p, false, out)) {
            return out;
        }
    }
    // Along the line, by half a line's height at a time, nearest first.
    if (request.line.size() >= 2) {
        const double dx = request.at.x - request.line.front().x;
        const double dy = request.at.y - request.line.front().y;
        const double step = std::max(1.0, h / 2);
        PixelPoint p;
        for (double d = step; PointAlong(request.line, d, p); d += step) {
            if (tryAt({p.x + dx, p.y + dy}, false, out)) {
                return out;
            }
        }
    }
    if (!request.leader) {
        return {RectAround(request.at, w, h), false, false};
    }
    // Rings around the anchor, then anywhere in the frame, nearest first.
    constexpr int kAngles = 24;
    const double reach = std::hypot(w, h) / 2;
    for (int ring = 1; ring <= 6; ++ring) {
        const double r = reach + ring * h;
        for (int k = 0; k < kAngles; ++k) {
            const double a = 2 * std::numbers::pi * k / kAngles;
            const PixelPoint c{request.anchor.x + r * std::cos(a),
                               request.anchor.y + r * std::sin(a)};
            if (tryAt(c, true, out)) {
                return out;
            }
        }
    }
    const LabelRect& frame = whole.frame;
    std::vector<PixelPoint> grid;
    const double step = std::max(1.0, h / 2);
    for (double y = frame.top + h / 2; y <= frame.bottom() - h / 2; y += step) {
        for (double x = frame.left + w / 2; x <= frame.right() - w / 2; x += step) {
            grid.push_back({x, y});
        }
    }
    const auto distance = [&](PixelPoint p) {
        return std::hypot(p.x - request.anchor.x, p.y - request.anchor.y);
    };
    std::sort(grid.begin(), grid.end(),
              [&](PixelPoint a, PixelPoint b) { return distance(a) < distance(b); });
    for (const PixelPoint p : grid) {
        if (tryAt(p, true, out)) {
            return out;
        }
    }
    return {RectAround(request.at, w, h), false, false};
}

} // namespace

std::vector<PlacedLabel> PlaceLabels(const std::vector<LabelRequest>& requests,
                                     const LabelField& field, const MeasureText& measure) {
    Field taken(field, requests.size());
    std::vector<PlacedLabel> placed;
    placed.reserve(requests.size());
    for (const LabelRequest& request : requests) {
        TextSize size = measure(request.text);
        size.width += 2 * field.padding;
        size.height += 2 * field.padding;
        PlacedLabel label = Place(request, size, taken, field);
        taken.take(label.box);
        placed.push_back(label);
    }
    return placed;
}

} // namespace hygrovane::chart
