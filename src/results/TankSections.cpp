#include "results/TankSections.h"

#include "core/CalcContext.h"
#include "results/PictureFrame.h"

#include <algorithm>

namespace TankSections {

namespace {

using draw::Point;

std::vector<Point> rect(double x0, double y0, double x1, double y1)
{
    return { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } };
}

void concrete(draw::Group &g, double x0, double y0, double x1, double y1, double size)
{
    if (!(x1 > x0) || !(y1 > y0))
        return;
    draw::Region r;
    r.outline = rect(x0, y0, x1, y1);
    r.fill = draw::Fill::Hatch;
    r.hatchSpacing = 0.025 * size;
    r.outlined = true;
    g.add(r, { kConcreteLayer });
}

void dimension(draw::Group &g, Point a, Point b, double offset, const std::string &text, double th)
{
    draw::Dimension d;
    d.a = a;
    d.b = b;
    d.offset = offset;
    d.text = text;
    d.textHeight = th;
    d.tickSize = th * 0.6;
    g.add(d, { kDimensionLayer });
}

void label(draw::Group &g, Point at, const std::string &text, double th, draw::HAlign h,
           draw::VAlign v)
{
    draw::Text t;
    t.at = at;
    t.text = text;
    t.height = th;
    t.hAlign = h;
    t.vAlign = v;
    g.add(t, { kDimensionLayer });
}

/// "0.15 m" from a results field.
std::string metres(const CalcContext &ctx, std::size_t field)
{
    return ctx.results.Text_a[field] + " m";
}

void layers(draw::Scene &scene)
{
    scene.layer(kConcreteLayer, 7, draw::LineType::Continuous, 0.35);
    scene.layer(kDimensionLayer, 7, draw::LineType::Continuous, 0.18);
    scene.layer(kWaterLayer, 5, draw::LineType::Continuous, 0.18);
    scene.layer(kSoilLayer, 32, draw::LineType::Continuous, 0.13);
}

void horizontal(draw::Scene &scene, const CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const double a = s.widthA, b = s.lengthB, ep = s.thicknessEp;
    const double size = std::max({ a, b, 0.5 });
    const double th = 0.05 * size;
    draw::Group &g = scene.group("Secao");
    concrete(g, 0, 0, a, ep, size);
    concrete(g, 0, b - ep, a, b, size);
    concrete(g, 0, ep, ep, b - ep, size);
    concrete(g, a - ep, ep, a, b - ep, size);
    draw::Group &d = scene.group("Cotas");
    // a along the bottom, b up the right side, the wall's thickness on the left.
    dimension(d, { a, 0 }, { 0, 0 }, th * 2.5, "a = " + metres(ctx, 0), th);
    dimension(d, { a, b }, { a, 0 }, th * 2.5, "b = " + metres(ctx, 1), th);
    // The wall's thickness is too thin for a dimension's text: a label inside the ring.
    label(d, { ep + th * 0.5, b - ep - th * 0.5 }, "e(p) = " + metres(ctx, 5), th,
          draw::HAlign::Left, draw::VAlign::Top);
}

void vertical(draw::Scene &scene, const CalcContext &ctx)
{
    const DesignState &s = ctx.state;
    const double b = s.lengthB, h = s.heightH;
    const double et = s.thicknessEt, ep = s.thicknessEp, ef = s.thicknessEf;
    const double size = std::max({ b, h, 0.5 });
    const double th = 0.045 * size;
    const double top = h - et;
    draw::Group &g = scene.group("Secao");
    const bool buried = IsBuriedCalc(s.calcState);
    if (buried) {
        const double ht = std::clamp(static_cast<double>(s.buryHeightHt), 0.0, h);
        const double w = 0.2 * size;
        for (double x0 : { -w, b }) {
            draw::Region soil;
            soil.outline = rect(x0, 0, x0 + w, ht);
            soil.fill = draw::Fill::Hatch;
            soil.hatchAngleDeg = -45;
            soil.hatchSpacing = 0.05 * size;
            g.add(soil, { kSoilLayer });
            g.add(draw::Line{ { x0, ht }, { x0 + w, ht } }, { kSoilLayer });
        }
        if (s.waterTableHna > 0) {
            const double hna = std::min(static_cast<double>(s.waterTableHna), h);
            g.add(draw::Line{ { b, hna }, { b + w, hna } },
                  { kWaterLayer, draw::kByLayer, draw::LineType::Dashed });
        }
    }
    const double water = std::clamp(ef + static_cast<double>(s.waterLevelHn), ef, top);
    if (water > ef) {
        draw::Region r;
        r.outline = rect(ep, ef, b - ep, water);
        r.opacity = 0.15;
        g.add(r, { kWaterLayer });
        g.add(draw::Line{ { ep, water }, { b - ep, water } }, { kWaterLayer });
    }
    concrete(g, 0, 0, b, ef, size);
    concrete(g, 0, top, b, h, size);
    concrete(g, 0, ef, ep, top, size);
    concrete(g, b - ep, ef, b, top, size);

    draw::Group &d = scene.group("Cotas");
    const double off = th * 2.5;
    const double outside = buried ? 0.2 * size + off * 2 : off;
    dimension(d, { b, 0 }, { 0, 0 }, off, "b = " + metres(ctx, 1), th);
    dimension(d, { b, h }, { b, 0 }, outside, "h = " + metres(ctx, 2), th);
    dimension(d, { b - ep, ef }, { b - ep, water }, th * 1.5, "hn = " + metres(ctx, 3), th);
    // The members are too thin for a dimension's text: labels inside the tank, by each member.
    const double gap = th * 0.4;
    label(d, { b * 0.4, top - gap }, "e(t) = " + metres(ctx, 4), th, draw::HAlign::Center,
          draw::VAlign::Top);
    label(d, { b * 0.4, ef + gap }, "e(f) = " + metres(ctx, 6), th, draw::HAlign::Center,
          draw::VAlign::Bottom);
    label(d, { ep + gap, (ef + top) * 0.5 }, "e(p) = " + metres(ctx, 5), th, draw::HAlign::Left,
          draw::VAlign::Middle);
    if (buried) {
        const double ht = std::clamp(static_cast<double>(s.buryHeightHt), 0.0, h);
        if (ht > 0)
            dimension(d, { -0.2 * size, 0 }, { -0.2 * size, ht }, off,
                      "ht = " + ctx.results.Text_hn[0] + " m", th);
        if (s.waterTableHna > 0)
            dimension(d, { -0.08 * size, 0 },
                      { -0.08 * size, std::min<double>(s.waterTableHna, h) }, th * 0.8,
                      "hna = " + ctx.results.Text_hn[1] + " m", th);
    }
}

} // namespace

draw::Scene Build(const CalcContext &ctx, View view)
{
    draw::Scene scene;
    layers(scene);
    if (view == View::Horizontal)
        horizontal(scene, ctx);
    else
        vertical(scene, ctx);
    PictureFrame::AddMargin(scene);
    return scene;
}

} // namespace TankSections
