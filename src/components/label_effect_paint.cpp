#include "components/label_effect_paint.h"

#include <algorithm>
#include <cmath>

namespace quillet {

using namespace base::colors;

namespace {

int Truncate(double value) { return static_cast<int>(value); }

GradientSpan SpanOf(const std::vector<base::Point>& points, bool vertical) {
    auto coordinate = [vertical](const base::Point& p) { return vertical ? p.y : p.x; };
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(),
        [&](const base::Point& a, const base::Point& b) { return coordinate(a) < coordinate(b); });
    return {coordinate(*low), coordinate(*high) - coordinate(*low)};
}

void LayOutHorizontal(const TLabelEffect& label, const EffectMargins& mg, const base::Size& whole,
                      EffectLayout& layout) {
    const int m = mg.low, width = label.Width();
    layout.text = label.Caption().substr(0, kMaxHorizontalCaption);
    layout.rect = {-m - mg.shift, -m, width - m - mg.shift, label.Height() - m};
    const TAlignment alignment = label.Alignment();
    layout.flags = (alignment == taRightJustify ? kDtRight : alignment == taCenter ? kDtCenter : kDtLeft) |
                   kDtWordBreak | kDtExpandTabs;
    // The first line of the face.
    if (label.GraduateFace() == goVertical) {
        layout.gradient = {-m, whole.height - 1};
    } else if (label.GraduateFace() == goHorizontal) {
        const int start = alignment == taRightJustify ? width - mg.high - whole.width
                          : alignment == taCenter     ? (width - whole.width) / 2 - m - mg.shift
                                                      : -m;
        layout.gradient = {start, whole.width - 1};
    }
}

void LayOutRotated(const TLabelEffect& label, const EffectMargins& mg, const base::Size& whole,
                   const MeasureTextFn& measure, EffectLayout& layout) {
    const double cosA = label.CosAngle(), sinA = label.SinAngle();
    const int m = mg.low, tw = whole.width, th = whole.height;
    // The centre of the turned caption lies at (c, c).
    const int c = measure(label.Caption() + "   ").width / 2;
    const int x0 = c - Truncate(tw * 0.5 * cosA) - Truncate(th * 0.5 * sinA);
    const int y0 = c + Truncate(tw * 0.5 * sinA) - Truncate(th * 0.5 * cosA);
    layout.runs = {{label.Caption(), {x0 - m, y0 - m}}};

    const int centre = c + (mg.span + 4) / 2;
    const int boxWidth = tw + mg.high + m + 4, boxHeight = th + mg.high + m + 4;
    const int a = Truncate(boxWidth * 0.5 * cosA), b = Truncate(boxHeight * 0.5 * sinA);
    const int e = Truncate(boxWidth * 0.5 * sinA), f = Truncate(boxHeight * 0.5 * cosA);
    layout.outline = {{centre - a - b + 2, centre + e - f + 2},
                      {centre + a - b + 2, centre - e - f + 2},
                      {centre + a + b + 2, centre - e + f + 2},
                      {centre - a + b + 2, centre + e + f + 2}};
}

// The hexagon around the first and the last character's boxes.
std::vector<base::Point> UprightOutline(const base::Rect& r1, const base::Rect& r2, int angle) {
    auto tl = [](const base::Rect& r) { return base::Point{r.left, r.top}; };
    auto tr = [](const base::Rect& r) { return base::Point{r.right, r.top}; };
    auto bl = [](const base::Rect& r) { return base::Point{r.left, r.bottom}; };
    auto br = [](const base::Rect& r) { return base::Point{r.right, r.bottom}; };
    if (angle <= 90) return {tl(r1), tl(r2), tr(r2), br(r2), br(r1), bl(r1)};
    if (angle <= 180) return {tr(r1), tr(r2), tl(r2), bl(r2), bl(r1), br(r1)};
    if (angle <= 270) return {tl(r1), tl(r2), bl(r2), br(r2), br(r1), tr(r1)};
    return {tr(r1), tr(r2), br(r2), bl(r2), bl(r1), tl(r1)};
}

void LayOutUpright(const TLabelEffect& label, const EffectMargins& mg, const base::Size& whole,
                   const MeasureTextFn& measure, EffectLayout& layout) {
    const std::string& caption = label.Caption();
    const int n = static_cast<int>(caption.size()), th = whole.height, m = mg.low;
    const double cosA = label.CosAngle(), sinA = label.SinAngle();
    auto widthOf = [&](int first, int count) {
        return count > 0 ? measure(caption.substr(first, count)).width : 0;
    };
    // Distance along the line from the first character to character i (1-based).
    auto along = [&](int i) {
        return RoundHalfEven(th * (i - 1) * label.SinSquared() + widthOf(0, i - 1) * label.CosSquared());
    };
    // An empty caption is a line of no length.
    const int length = n > 1 ? along(n) : 0;
    const int x0 = std::max(0, -RoundHalfEven(length * cosA)) + 10;
    const int y0 = std::max(0, RoundHalfEven(length * sinA)) + 10;
    for (int i = 1; i <= n; ++i) {
        const int li = i > 1 ? along(i) : 0;
        layout.runs.push_back({caption.substr(i - 1, 1),
                               {x0 - m + RoundHalfEven(li * cosA), y0 - m - RoundHalfEven(li * sinA)}});
    }

    const int g = mg.span + 4;
    const base::Rect r1{x0 - 2, y0 - 2, x0 - 2 + widthOf(0, 1) + g, y0 - 2 + th + g};
    const int left2 = x0 - 2 + RoundHalfEven(length * cosA);
    const int top2 = y0 - 2 - RoundHalfEven(length * sinA);
    const base::Rect r2{left2, top2, left2 + widthOf(n - 1, n > 0 ? 1 : 0) + g, top2 + th + g};
    layout.outline = UprightOutline(r1, r2, label.Angle());
    if (label.GraduateFace() == goVertical) {
        const int top = std::min(r1.top, r2.top);
        layout.gradient = {top, std::max(r1.bottom, r2.bottom) - top};
    } else if (label.GraduateFace() == goHorizontal) {
        const int left = std::min(r1.left, r2.left);
        layout.gradient = {left, std::max(r1.right, r2.right) - left};
    }
}

void DrawCopy(EffectImage& image, const EffectLayout& layout, TDirectionStep step, int distance) {
    const int dx = distance * step.dx, dy = distance * step.dy;
    if (layout.layoutCase == EffectLayoutCase::Horizontal) {
        image.DrawTextInRect(layout.text, layout.rect.Moved(dx, dy), layout.flags);
        return;
    }
    for (const PlacedText& run : layout.runs) image.DrawTextAt(run.at.x + dx, run.at.y + dy, run.text);
}

void CopyPixels(const PixelView& from, const PixelView& to) {
    for (int y = 0; y < std::min(from.height, to.height); ++y)
        std::copy_n(&from.At(0, y), std::min(from.width, to.width), &to.At(0, y));
}

}  // namespace

int RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return static_cast<int>(below);
    if (fraction > 0.5) return static_cast<int>(below) + 1;
    return static_cast<int>(std::fmod(below, 2.0) == 0.0 ? below : below + 1);
}

EffectMargins ComputeMargins(const TLabelEffect& label) {
    const TDirectionStep h = DirectionStep(label.DirectionHighlight());
    const TDirectionStep s = DirectionStep(label.DirectionShadow());
    const int dh = label.DepthHighlight(), ds = label.DepthShadow();
    const auto [low, high] = std::minmax({0, h.dx * dh, h.dy * dh, s.dx * ds, s.dy * ds});
    const int span = high - low;
    switch (label.Alignment()) {
    case taRightJustify: return {low, high, span, span};
    case taCenter: return {low, high, span, span / 2};
    case taLeftJustify: break;
    }
    return {low, high, span, 0};
}

EffectLayoutCase LayoutCaseOf(const TLabelEffect& label) {
    if (label.Angle() == 0) return EffectLayoutCase::Horizontal;
    return label.KeepLettersVertical() ? EffectLayoutCase::Upright : EffectLayoutCase::Rotated;
}

EffectLayout LayOutEffectCaption(const TLabelEffect& label, const EffectMargins& margins,
                                 const MeasureTextFn& measure) {
    EffectLayout layout;
    layout.layoutCase = LayoutCaseOf(label);
    const base::Size whole = measure(label.Caption());
    switch (layout.layoutCase) {
    case EffectLayoutCase::Horizontal: LayOutHorizontal(label, margins, whole, layout); break;
    case EffectLayoutCase::Rotated: LayOutRotated(label, margins, whole, measure, layout); break;
    case EffectLayoutCase::Upright: LayOutUpright(label, margins, whole, measure, layout); break;
    }
    if (layout.layoutCase == EffectLayoutCase::Rotated && label.GraduateFace() != goNone)
        layout.gradient = SpanOf(layout.outline, label.GraduateFace() == goVertical);
    return layout;
}

EffectPass PlanEffectPass(const TLabelEffect& label, bool highlight) {
    EffectPass pass{highlight ? label.DirectionHighlight() : label.DirectionShadow(),
                    highlight ? label.StyleHighlight() : label.StyleShadow(), {}};
    const int depth = highlight ? label.DepthHighlight() : label.DepthShadow();
    const TColor color = highlight ? label.ColourHighlight() : label.ColourShadow();
    const TColor font = label.Font().color;
    int base[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
    const int target[3] = {RedOf(font), GreenOf(font), BlueOf(font)};
    double step[3] = {0, 0, 0};
    int nearest = depth;
    if (pass.option == eoReal) std::fill_n(base, 3, 0);
    if ((pass.option == eoExtrude || pass.option == eoGraduated) && depth > 1) nearest = 1;
    if (pass.option == eoGraduated && depth > 1) {
        for (int i = 0; i < 3; ++i) step[i] = static_cast<double>(target[i] - base[i]) / (depth - 1);
    }
    // Farthest first, so that nearer copies cover farther ones.
    for (int k = depth; k >= nearest; --k) {
        auto channel = [&](int i) { return base[i] + RoundHalfEven(step[i] * (depth - k)); };
        pass.copies.push_back({k, RGBColor(channel(0), channel(1), channel(2))});
    }
    return pass;
}

void ApplyRealPass(const PixelView& work, const PixelView& mask, bool highlight) {
    for (int y = 0; y < std::min(work.height, mask.height); ++y) {
        for (int x = 0; x < std::min(work.width, mask.width); ++x) {
            if ((mask.At(x, y) & 0xFFFFFF) != 0) continue;
            const std::uint32_t pixel = work.At(x, y);
            std::uint32_t result = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t c = pixel >> shift & 0xFF;
                result |= (highlight ? (c + 255) / 2 : c / 2) << shift;
            }
            work.At(x, y) = result;
        }
    }
}

std::vector<TColor> GradientBands(TColor from, TColor to, int extent) {
    std::vector<TColor> bands;
    auto channel = [extent](int low, int high, int i) {
        // A one-pixel gradient has no step: its one band keeps `from`.
        const double step = extent > 0 ? static_cast<double>(high - low) / extent : 0.0;
        return low + RoundHalfEven(step * i);
    };
    for (int i = 0; i <= extent; ++i) {
        bands.push_back(RGBColor(channel(RedOf(from), RedOf(to), i), channel(GreenOf(from), GreenOf(to), i),
                                  channel(BlueOf(from), BlueOf(to), i)));
    }
    return bands;
}

void ApplyFaceGradient(const PixelView& work, const PixelView& mask, TGraduateOption option,
                       const GradientSpan& span, TColor from, TColor to) {
    if (option == goNone) return;
    const int width = std::min(work.width, mask.width), height = std::min(work.height, mask.height);
    const std::vector<TColor> bands = GradientBands(from, to, span.extent);
    for (int i = 0; i < static_cast<int>(bands.size()); ++i) {
        const int at = span.start + i;
        const bool vertical = option == goVertical;
        const int x0 = vertical ? 0 : std::max(at, 0), x1 = vertical ? width : std::min(at + 1, width);
        const int y0 = vertical ? std::max(at, 0) : 0, y1 = vertical ? std::min(at + 1, height) : height;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t m = mask.At(x, y) & 0xFFFFFF;
                work.At(x, y) = m == PixelOf(kFaceKeyColor) ? PixelOf(bands[i]) : m;
            }
        }
    }
}

void PaintLabelEffect(const TLabelEffect& label, EffectSurface& surface) {
    const int width = label.Width(), height = label.Height();
    // Nothing shows, and the system has no image of that size to give.
    if (width <= 0 || height <= 0) return;
    const EffectMargins margins = ComputeMargins(label);
    const EffectLayoutCase layoutCase = LayoutCaseOf(label);
    const int escapement = layoutCase == EffectLayoutCase::Rotated ? label.Angle() * 10 : 0;

    // Owned here, so a failure anywhere releases them; the surface changes
    // only in the last step.
    const std::unique_ptr<EffectImage> mask = surface.CreateImage(width, height);
    const std::unique_ptr<EffectImage> work = surface.CreateImage(width, height);
    mask->SetFont(label.Font(), escapement);
    work->SetFont(label.Font(), escapement);
    surface.CopyToImage(*work, width, height);
    const EffectLayout layout =
        LayOutEffectCaption(label, margins, [&](const std::string& text) { return work->MeasureText(text); });

    if (!label.Transparent()) {
        work->SetBrush(surface.ResolveColor(label.Color()));
        if (layoutCase == EffectLayoutCase::Horizontal) work->FillRectangle({0, 0, width, height});
        else work->DrawPolygon(layout.outline);
    }
    work->SetBrush(std::nullopt);

    for (const bool highlight : {false, true}) {
        const EffectPass pass = PlanEffectPass(label, highlight);
        const bool real = pass.option == eoReal;
        EffectImage& target = real ? *mask : *work;
        if (real && highlight) {
            mask->SetBrush(clWhite);
            mask->FillRectangle({0, 0, width, height});
        }
        for (const EffectCopy& copy : pass.copies) {
            target.SetTextColor(copy.color);
            DrawCopy(target, layout, DirectionStep(pass.direction), copy.distance);
        }
        if (real) ApplyRealPass(work->Pixels(), mask->Pixels(), highlight);
    }

    if (label.GraduateFace() == goNone) {
        work->SetTextColor(surface.ResolveColor(label.Font().color));
        DrawCopy(*work, layout, {}, 0);
    } else {
        CopyPixels(work->Pixels(), mask->Pixels());
        mask->SetTextColor(kFaceKeyColor);
        mask->SetBrush(std::nullopt);
        DrawCopy(*mask, layout, {}, 0);
        ApplyFaceGradient(work->Pixels(), mask->Pixels(), label.GraduateFace(), layout.gradient,
                          label.GraduateFrom(), label.Font().color);
    }
    surface.CopyFromImage(*work, width, height);
}

}  // namespace quillet
