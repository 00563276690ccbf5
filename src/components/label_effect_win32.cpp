#include "components/label_effect_win32.h"

#include <memory>
#include <optional>
#include <vector>

#include "components/label_effect_paint.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/geometry.h"

namespace quillet {
namespace {

// One memory image with its own font, text colour, brush and pen.
class GdiEffectImage : public EffectImage {
public:
    GdiEffectImage(int width, int height) : image_(width, height) {
        image_.Fill(base::clWhite);
        image_.UsePen(static_cast<HPEN>(GetStockObject(BLACK_PEN)));
        SetBrush(base::clWhite);
    }

    HDC DC() const { return image_.DC(); }

    void SetFont(const base::FontDescription& font, int escapement) override {
        // Face, height and style, with the toolkit's fallback kind of face;
        // without smoothing: the masks select glyph pixels by exact colour.
        ui::Font f = ui::Font(font.name, font.height, font.Style()).WithQuality(NONANTIALIASED_QUALITY);
        // A turned run needs an outline font.
        if (escapement != 0) f = f.WithEscapement(escapement).WithOutPrecision(OUT_TT_ONLY_PRECIS);
        image_.UseFont(f.Handle());
        font_ = std::move(f);  // the font selected before stays alive until now
    }

    void SetTextColor(base::TColor color) override { ::SetTextColor(DC(), color & 0xFFFFFF); }

    void SetBrush(std::optional<base::TColor> solid) override {
        if (solid) {
            ui::GdiObject<HBRUSH> brush(CreateSolidBrush(*solid & 0xFFFFFF));
            image_.UseBrush(brush.Get());
            brush_ = std::move(brush);
            SetBkMode(DC(), OPAQUE);
            SetBkColor(DC(), *solid & 0xFFFFFF);
        } else {
            image_.UseBrush(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
            brush_.Reset();
            SetBkMode(DC(), TRANSPARENT);
        }
    }

    base::Size MeasureText(const std::string& text) override {
        SIZE size{};
        GetTextExtentPoint32A(DC(), text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

    void DrawTextInRect(const std::string& text, const base::Rect& rect, unsigned flags) override {
        RECT r = ui::ToRECT(rect);
        DrawTextA(DC(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    }

    void DrawTextAt(int x, int y, const std::string& text) override {
        TextOutA(DC(), x, y, text.c_str(), static_cast<int>(text.size()));
    }

    void DrawPolygon(const std::vector<base::Point>& corners) override {
        std::vector<POINT> points;
        for (const base::Point& p : corners) points.push_back(ui::ToPOINT(p));
        Polygon(DC(), points.data(), static_cast<int>(points.size()));
    }

    void FillRectangle(const base::Rect& rect) override {
        const RECT r = ui::ToRECT(rect);
        FillRect(DC(), &r, static_cast<HBRUSH>(GetCurrentObject(DC(), OBJ_BRUSH)));
    }

    PixelView Pixels() override {
        return {image_.Pixels(), image_.Width(), image_.Height(), image_.Stride()};
    }

private:
    // Declared before the image: the image deselects them when it goes.
    ui::Font font_;
    ui::GdiObject<HBRUSH> brush_;
    ui::MemoryImage image_;
};

class GdiEffectSurface : public EffectSurface {
public:
    explicit GdiEffectSurface(HDC dc) : dc_(dc) {}

    std::unique_ptr<EffectImage> CreateImage(int width, int height) override {
        return std::make_unique<GdiEffectImage>(width, height);
    }
    void CopyToImage(EffectImage& image, int width, int height) override {
        BitBlt(Of(image), 0, 0, width, height, dc_, 0, 0, SRCCOPY);
    }
    void CopyFromImage(EffectImage& image, int width, int height) override {
        BitBlt(dc_, 0, 0, width, height, Of(image), 0, 0, SRCCOPY);
    }
    base::TColor ResolveColor(base::TColor color) override { return ui::ResolveColor(color); }

private:
    static HDC Of(EffectImage& image) { return static_cast<GdiEffectImage&>(image).DC(); }
    HDC dc_;
};

}  // namespace

void PaintLabelEffect(const TLabelEffect& label, HDC dc) {
    GdiEffectSurface surface(dc);
    PaintLabelEffect(label, surface);
}

// The model's font is designed, like the form's, for 96 DPI.
TLabelEffectControl::TLabelEffectControl(ui::Form& form)
    : ui::GraphicControl(form), label_(base::kDesignDpi) {
    label_.onInvalidate = [this] { Invalidate(); };
}

TLabelEffectControl::~TLabelEffectControl() { Invalidate(); }

void TLabelEffectControl::Create(const Args& args) {
    label_.SetCaption(args.design.caption);
    ui::GraphicControl::Create(args);
}

base::Rect TLabelEffectControl::Bounds() const { return label_.Bounds(); }

void TLabelEffectControl::StoreBounds(const base::Rect& bounds) { label_.SetBounds(bounds); }

void TLabelEffectControl::Paint(HDC dc) {
    ui::RunGuarded([&] {
        const ui::Form& form = OwnerForm();
        if (form.Dpi() == form.Design().dpi) return PaintLabelEffect(label_, dc);
        // The bounds are the form's already; the font and the depths of
        // the highlight and the shadow are taken at its DPI.
        const auto at = [&form](int designed) {
            return base::ScaleForDpi(designed, form.Dpi(), form.Design().dpi);
        };
        TLabelEffect scaled = label_;
        scaled.onInvalidate = nullptr;
        scaled.SetFont(base::ScaleForDpi(label_.Font(), form.Dpi(), form.Design().dpi));
        scaled.SetDepthHighlight(static_cast<TEffectDepth>(at(label_.DepthHighlight())));
        scaled.SetDepthShadow(static_cast<TEffectDepth>(at(label_.DepthShadow())));
        PaintLabelEffect(scaled, dc);
    });
}

// The container holds the mouse from a press to the last release, so the
// model's capture requests are already met.
void TLabelEffectControl::MouseDown(base::MouseButton button, unsigned shift, int x, int y) {
    const TMouseReply reply = label_.MouseDown(button, shift, x, y);
    if (reply.raiseEvent && OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TLabelEffectControl::MouseMove(unsigned shift, int x, int y) {
    const TMouseReply reply = label_.MouseMove(shift, x, y);
    if (reply.raiseEvent && OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TLabelEffectControl::MouseUp(base::MouseButton button, unsigned shift, int x, int y) {
    const TMouseReply reply = label_.MouseUp(button, shift, x, y);
    if (reply.raiseEvent && OnMouseUp) OnMouseUp(*this, button, shift, x, y);
    if (reply.click && OnClick) OnClick(*this);
}

}  // namespace quillet
