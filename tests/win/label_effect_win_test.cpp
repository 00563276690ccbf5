// The effect label on real memory bitmaps and fonts: where the copies land,
// what colours the passes leave, and the windowless control in a form
// (mouse, repaint requests). Pixels are checked by colour counts and the
// bounding boxes of exact colours, measured against the same caption drawn
// with no effect at all.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "components/label_effect_paint.h"
#include "components/label_effect_win32.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "win_helpers.h"

namespace quillet {
namespace {

constexpr TColor kGrey = 0xA0A0A0;

// The pixels of one colour: how many, and the box around them.
struct Spread {
    int count = 0;
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

struct Painted {
    std::unique_ptr<ui::MemoryImage> image;

    Spread Of(TColor colour) const {
        Spread s;
        for (int y = 0; y < image->Height(); ++y) {
            for (int x = 0; x < image->Width(); ++x) {
                if (image->Pixel(x, y) != PixelOf(colour)) continue;
                ++s.count;
                s.left = std::min(s.left, x), s.top = std::min(s.top, y);
                s.right = std::max(s.right, x), s.bottom = std::max(s.bottom, y);
            }
        }
        return s;
    }
    std::set<TColor> Colours() const {
        std::set<TColor> colours;
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x) colours.insert(ColourOf(image->Pixel(x, y)));
        return colours;
    }
};

// Paints the label onto an image that shows `background`, with `before`
// changing the image first.
Painted Paint(const TLabelEffect& label, TColor background,
              const std::function<void(ui::MemoryImage&)>& before = {}) {
    Painted p{std::make_unique<ui::MemoryImage>(label.Width(), label.Height())};
    p.image->Fill(background);
    if (before) before(*p.image);
    PaintLabelEffect(label, p.image->DC());
    return p;
}

// A label of the default look with the caption "Quillet".
TLabelEffect NewLabel() {
    TLabelEffect label;
    label.SetCaption("Quillet");
    return label;
}

// The face alone where the label would draw it with no effect.
Spread PlainFace(std::function<void(TLabelEffect&)> setup = {}) {
    TLabelEffect label = NewLabel();
    if (setup) setup(label);
    label.SetEffectStyle(esNone);
    return Paint(label, kGrey).Of(label.Font().color);
}

void ExpectAt(const Spread& s, int left, int top, int right, int bottom) {
    EXPECT_GT(s.count, 0);
    EXPECT_EQ(s.left, left);
    EXPECT_EQ(s.top, top);
    EXPECT_EQ(s.right, right);
    EXPECT_EQ(s.bottom, bottom);
}

TEST(LabelEffectWin, CopiesLandWhereTheEffectPutsThem) {
    const Spread face = PlainFace();
    ASSERT_GT(face.count, 50);
    {
        SCOPED_TRACE("new label: white at (0,0), the face at (1,1), black at (2,2)");
        const Painted p = Paint(NewLabel(), kGrey);
        const Spread white = p.Of(clWhite), grey = p.Of(clGray), black = p.Of(clBlack);
        EXPECT_EQ(white.left, face.left);
        EXPECT_EQ(white.top, face.top);
        ExpectAt(grey, face.left + 1, face.top + 1, face.right + 1, face.bottom + 1);
        EXPECT_EQ(black.right, face.right + 2);
        EXPECT_EQ(black.bottom, face.bottom + 2);
        EXPECT_EQ(p.Colours(), (std::set<TColor>{kGrey, clWhite, clGray, clBlack}))
            << "text drawn without smoothing";
    }
    {
        SCOPED_TRACE("shadow preset: the face at (0,0), one black copy at (2,2), no highlight");
        TLabelEffect label = NewLabel();
        label.SetEffectStyle(esShadow);
        const Painted p = Paint(label, kGrey);
        ExpectAt(p.Of(clGray), face.left, face.top, face.right, face.bottom);
        EXPECT_EQ(p.Of(clBlack).right, face.right + 2);
        EXPECT_EQ(p.Of(clWhite).count, 0);
    }
    {
        SCOPED_TRACE("right alignment: the shadow ends at the border, the face a pixel before");
        const Spread right = PlainFace([](TLabelEffect& l) { l.SetAlignment(taRightJustify); });
        TLabelEffect label = NewLabel();
        label.SetAlignment(taRightJustify);
        const Painted p = Paint(label, kGrey);
        EXPECT_EQ(p.Of(clBlack).right, right.right);
        EXPECT_EQ(p.Of(clGray).right, right.right - 1);
    }
}

TEST(LabelEffectWin, PassesAndGradientLeaveTheirColours) {
    const Spread face = PlainFace();
    {
        SCOPED_TRACE("graduated shadow: blue 0, 64, 128, 191, 255 at distances 5 to 1");
        TLabelEffect label = NewLabel();
        label.SetDepthHighlight(0);
        label.SetStyleShadow(eoGraduated);
        label.SetDepthShadow(5);
        label.SetFontColor(0xFF0000);
        label.SetBounds(0, 0, 142, 40);
        const Painted p = Paint(label, kGrey);
        const TColor bands[] = {0x000000, 0x400000, 0x800000, 0xBF0000};
        for (int k = 5; k >= 2; --k) {
            EXPECT_EQ(p.Of(bands[5 - k]).right, face.right + k) << "distance " << k;
            EXPECT_EQ(p.Of(bands[5 - k]).bottom, face.bottom + k) << "distance " << k;
        }
    }
    {
        SCOPED_TRACE("extrude: three copies, all in the shadow colour");
        TLabelEffect normal = NewLabel(), extruded = NewLabel();
        normal.SetDepthShadow(3);
        extruded.SetDepthShadow(3);
        extruded.SetStyleShadow(eoExtrude);
        const Painted n = Paint(normal, kGrey), e = Paint(extruded, kGrey);
        EXPECT_EQ(e.Of(clBlack).right, face.right + 1 + 3);  // the highlight moves everything by 1
        EXPECT_GT(e.Of(clBlack).count, n.Of(clBlack).count);
        EXPECT_EQ(e.Colours(), (std::set<TColor>{kGrey, clWhite, clGray, clBlack}));
    }
    {
        SCOPED_TRACE("real shadow on silver, real highlight on dark grey");
        TLabelEffect label = NewLabel();
        label.SetStyleShadow(eoReal);
        Painted p = Paint(label, clSilver);
        EXPECT_GT(p.Of(0x606060).count, 10);
        EXPECT_EQ(p.Of(clBlack).count, 0);
        label.SetStyleShadow(eoNormal);
        label.SetStyleHighlight(eoReal);
        p = Paint(label, 0x404040);
        EXPECT_GT(p.Of(0x9F9F9F).count, 10);
        EXPECT_EQ(p.Of(clWhite).count, 0);
    }
    {
        SCOPED_TRACE("a system colour is taken by its low bytes");
        TLabelEffect label = NewLabel();
        label.SetColourShadow(clWindowText);
        EXPECT_EQ(Paint(label, kGrey).Of(clWindowText & 0xFFFFFF).right, face.right + 2);
    }
    {
        SCOPED_TRACE("vertical face gradient: rows from black to red, nothing else changes");
        TLabelEffect label = NewLabel();
        label.SetFontColor(0x0000FF);
        label.SetEffectStyle(esNone);
        const Spread red = Paint(label, kGrey).Of(0x0000FF);
        label.SetGraduateFace(goVertical);
        label.SetGraduateFrom(clBlack);
        // A key-coloured pixel outside the face, inside the bands, takes its band's colour.
        const int keyX = 140, keyY = (red.top + red.bottom) / 2;
        const Painted p = Paint(label, kGrey, [&](ui::MemoryImage& image) {
            image.Pixels()[keyY * image.Stride() + keyX] = PixelOf(kFaceKeyColour);
        });
        TextExtent extent;
        {
            ui::MemoryImage probe(1, 1);
            ui::Font font("Times New Roman", label.Font().height);
            ui::SelectGuard select(probe.DC(), font.Handle());
            SIZE size{};
            GetTextExtentPoint32A(probe.DC(), "Quillet", 7, &size);
            extent = {size.cx, size.cy};
        }
        const int q = extent.height - 1;
        int faced = 0, wrong = 0;
        for (int y = 0; y < label.Height(); ++y) {
            for (int x = 0; x < label.Width(); ++x) {
                const TColor c = ColourOf(p.image->Pixel(x, y));
                if (c == kGrey) continue;
                ++faced;
                if (c != RGBColour(RoundHalfEven(255.0 / q * y), 0, 0)) ++wrong;
            }
        }
        EXPECT_EQ(faced, red.count + 1);
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(ColourOf(p.image->Pixel(keyX, keyY)), RGBColour(RoundHalfEven(255.0 / q * keyY), 0, 0));
    }
}

TEST(LabelEffectWin, AcceleratorsShapesAndFailure) {
    {
        SCOPED_TRACE("& underlines the next letter in a horizontal label, and shows when turned");
        auto spread = [](const char* caption, TAngleRange angle) {
            TLabelEffect label;
            label.SetBounds(0, 0, 142, 142);
            label.SetEffectStyle(esNone);
            label.SetAngle(angle);
            label.SetCaption(caption);
            return Paint(label, kGrey).Of(clGray);
        };
        const Spread plain = spread("AB", 0), marked = spread("A&B", 0);
        EXPECT_EQ(marked.left, plain.left);
        EXPECT_GT(marked.bottom, plain.bottom) << "underlined";
        EXPECT_GT(spread("A&B", 90).bottom - spread("AB", 90).bottom, 5) << "three characters";
    }
    {
        SCOPED_TRACE("opaque at 45 degrees: only the tilted box is filled and outlined");
        TLabelEffect label = NewLabel();
        label.SetBounds(0, 0, 150, 150);
        label.SetTransparent(false);
        label.SetColor(0x00FF00);
        label.SetAngle(45);
        const Painted p = Paint(label, kGrey);
        EXPECT_GT(p.Of(0x00FF00).count, 500);
        EXPECT_GT(p.Of(clBlack).count, 100);
        for (auto [x, y] : {std::pair{0, 0}, {149, 0}, {0, 149}, {149, 149}})
            EXPECT_EQ(p.image->Pixel(x, y), PixelOf(kGrey)) << x << "," << y;
    }
    {
        SCOPED_TRACE("an empty caption draws nothing, gradient or not");
        TLabelEffect label;
        label.SetGraduateFace(goVertical);
        EXPECT_EQ(Paint(label, kGrey).Colours(), std::set<TColor>{kGrey});
    }
    {
        SCOPED_TRACE("no memory for the images: an error, and the surface as it was");
        TLabelEffect label = NewLabel();
        label.SetBounds(0, 0, 30000, 30000);
        ui::MemoryImage surface(8, 8);
        surface.Fill(kGrey);
        EXPECT_THROW(PaintLabelEffect(label, surface.DC()), std::runtime_error);
        EXPECT_EQ(surface.Pixel(3, 3), PixelOf(kGrey));
    }
}

TEST(LabelEffectWin, ControlPaintsInPlaceSinksAsAButtonAndRepaintsItsRectangle) {
    ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
    ui::FormDesign design;
    design.className = "TLabelEffectTestForm";
    design.clientWidth = 200;
    design.clientHeight = 100;
    ui::Form form(design);
    form.CreateHandle(nullptr);
    form.Show();
    auto& control = form.Add<TLabelEffectControl>(static_cast<ui::Container&>(form),
                                                  ui::ControlDesign{"LabelEffect1", "Quillet", 20, 30, 142, 33, "", false});
    TLabelEffect& label = control.Label();
    int clicks = 0, downs = 0;
    control.OnClick = [&](ui::Widget&) { ++clicks; };
    control.OnMouseDown = [&](ui::Widget&, ui::MouseButton, unsigned, int, int) { ++downs; };
    EXPECT_EQ(label.Width(), 142);
    EXPECT_EQ(label.Caption(), "Quillet");

    ui::MemoryImage client(200, 100);
    SendMessageA(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.DC()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    int grey = 0;
    for (int y = 30; y < 63; ++y)
        for (int x = 20; x < 162; ++x) grey += client.Pixel(x, y) == PixelOf(clGray);
    EXPECT_GT(grey, 50) << "the face inside the control's rectangle";
    EXPECT_EQ(client.Pixel(5, 5), PixelOf(ui::ResolveColor(clBtnFace)));

    label.SetAsButton(true);
    struct Step { UINT msg; int x, y; WPARAM keys; TEffectStyle style; };
    const Step steps[] = {
        {WM_LBUTTONDOWN, 30, 40, MK_LBUTTON, esSunken},  {WM_MOUSEMOVE, 190, 90, MK_LBUTTON, esRaised},
        {WM_MOUSEMOVE, 162, 63, MK_LBUTTON, esSunken},   {WM_MOUSEMOVE, 40, 40, MK_LBUTTON | MK_SHIFT, esSunken},
        {WM_LBUTTONUP, 40, 40, 0, esRaised},             {WM_RBUTTONDOWN, 40, 40, MK_RBUTTON, esRaised},
        {WM_RBUTTONUP, 40, 40, 0, esRaised},
    };
    for (const Step& s : steps) {
        SendMessageA(form.Handle(), s.msg, s.keys, MAKELPARAM(s.x, s.y));
        EXPECT_EQ(label.EffectStyle(), s.style) << "message " << s.msg << " at " << s.x << "," << s.y;
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 0) << "a button-like label keeps its mouse events";

    label.SetDepthShadow(4);
    wintest::PumpMessages();
    ValidateRect(form.Handle(), nullptr);
    label.SetDepthShadow(4);  // an equal value asks for nothing
    EXPECT_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE));
    label.SetDepthShadow(5);
    RECT update{};
    GetUpdateRect(form.Handle(), &update, FALSE);
    const RECT bounds = control.Bounds();
    EXPECT_TRUE(EqualRect(&update, &bounds));
}

}  // namespace
}  // namespace quillet
