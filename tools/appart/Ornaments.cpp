#include "tools/appart/Ornaments.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace art {

namespace {
float Hash01(int x, int y, unsigned seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFF) / 65535.0f;
}
float SmoothStep(float t) {
    return t * t * (3 - 2 * t);
}
} // namespace

TField Sparkle(TPt centre, float radius, float waist) {
    std::vector<TPt> points;
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * std::numbers::pi_v<float> / 4;
        const float r = i % 2 == 0 ? radius : radius * waist;
        points.push_back({centre.X + r * std::sin(a), centre.Y - r * std::cos(a)});
    }
    return Polygon(std::move(points));
}

TPt QuadPoint(TPt a, TPt control, TPt b, float t) {
    const float u = 1 - t;
    return {u * u * a.X + 2 * u * t * control.X + t * t * b.X,
            u * u * a.Y + 2 * u * t * control.Y + t * t * b.Y};
}

TPt PagePoint(TBox box, TPageSide side, float across, float down) {
    // Designed as the left page on a unit square; the right page is its mirror image about the spine.
    const auto edge = [down](TPt top, TPt bottom) {
        return TPt{top.X + (bottom.X - top.X) * down, top.Y + (bottom.Y - top.Y) * down};
    };
    const TPt p = QuadPoint(edge({0.02f, 0.1f}, {0.02f, 0.9f}), edge({0.26f, -0.02f}, {0.26f, 0.8f}),
                            edge({0.485f, 0.16f}, {0.485f, 0.98f}), across);
    const float mirror = side == TPageSide::Left ? 1.0f : -1.0f;
    return {box.CX() + mirror * (p.X - 0.5f) * box.W(), box.T + p.Y * box.H()};
}

TField OpenBookPage(TBox box, TPageSide side) {
    constexpr int steps = 12;
    std::vector<TPt> outline;
    for (int i = 0; i <= steps; ++i) // along the top, then back along the bottom
        outline.push_back(PagePoint(box, side, float(i) / steps, 0));
    for (int i = steps; i >= 0; --i)
        outline.push_back(PagePoint(box, side, float(i) / steps, 1));
    return Polygon(std::move(outline));
}

float ValueNoise(float x, float y, float cell, unsigned seed) {
    const float gx = x / cell, gy = y / cell;
    const int ix = int(std::floor(gx)), iy = int(std::floor(gy));
    const float fx = SmoothStep(gx - float(ix)), fy = SmoothStep(gy - float(iy));
    const float top = Hash01(ix, iy, seed) + (Hash01(ix + 1, iy, seed) - Hash01(ix, iy, seed)) * fx;
    const float bottom =
        Hash01(ix, iy + 1, seed) + (Hash01(ix + 1, iy + 1, seed) - Hash01(ix, iy + 1, seed)) * fx;
    return top + (bottom - top) * fy;
}

} // namespace art
