// The effect label on real memory bitmaps and fonts, checked by the counts
// and bounding boxes of exact colours against the caption drawn with no
// effect; and the windowless control in a form.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <set>

#include "base/error.h"
#include "components/label_effect_paint.h"
#include "components/label_effect_win32.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "win_helpers.h"

namespace quillet {
namespace {

using namespace base::colors;

constexpr TColor kGrey = 0xA0A0A0;

struct Painted {
    std::unique_ptr<ui::MemoryImage> image;
    std::set<TColor> colours;
    int count = 0, left = 9999, top = 9999, right = -1, bottom = -1;  // of the colour asked for
};

// Paints onto an image showing `background` (and a face-key pixel at `key`
// when given), measuring the pixels of `colour`.
Painted Paint(const TLabelEffect& label, TColor background, TColor colour, POINT key = {-1, -1}) {
    Painted p;
    p.image = std::make_unique<ui::MemoryImage>(label.Width(), label.Height());
    p.image->Fill(background);
    if (key.x >= 0) p.image->Pixels()[key.y * p.image->Stride() + key.x] = PixelOf(kFaceKeyColor);
    PaintLabelEffect(label, p.image->DC());
    for (int y = 0; y < label.Height(); ++y) {
        for (int x = 0; x < label.Width(); ++x) {
            const TColor c = ColorOf(p.image->Pixel(x, y));
            p.colours.insert(c);
            if (c != colour) continue;
            ++p.count, p.left = std::min(p.left, x), p.top = std::min(p.top, y);
            p.right = std::max(p.right, x), p.bottom = std::max(p.bottom, y);
        }
    }
    return p;
}

TLabelEffect Label(const std::function<void(TLabelEffect&)>& setup = {}) {
    TLabelEffect label;
    label.SetCaption("Quillet");
    label.SetBounds(0, 0, 150, 40);
    if (setup) setup(label);
    return label;
}

TEST(LabelEffectWin, PaintingOnRealBitmaps) {
    // The face alone, where a label with no effect draws it.
    const Painted face = Paint(Label([](TLabelEffect& l) { l.SetEffectStyle(esNone); }), kGrey, clGray);
    const Painted right = Paint(Label([](TLabelEffect& l) { l.SetEffectStyle(esNone), l.SetAlignment(taRightJustify); }),
                                kGrey, clGray);
    ASSERT_GT(face.count, 50);
    EXPECT_EQ(face.colours, (std::set<TColor>{kGrey, clGray})) << "text drawn without smoothing";
    const struct {
        const char* what;
        std::function<void(TLabelEffect&)> setup;
        TColor background, colour;
        std::function<void(const Painted&)> check;
    } cases[] = {
        {"new label: white at 0, the face at 1", {}, kGrey, clWhite, [&](const Painted& p) {
             EXPECT_EQ(p.left, face.left); EXPECT_EQ(p.top, face.top);
             EXPECT_EQ(Paint(Label(), kGrey, clGray).right, face.right + 1);
         }},
        {"new label: black at 2", {}, kGrey, clBlack, [&](const Painted& p) {
             EXPECT_EQ(p.right, face.right + 2); EXPECT_EQ(p.bottom, face.bottom + 2);
             EXPECT_EQ(p.colours, (std::set<TColor>{kGrey, clWhite, clGray, clBlack}));
         }},
        {"shadow preset: face at 0, no highlight", [](TLabelEffect& l) { l.SetEffectStyle(esShadow); }, kGrey,
         clGray, [&](const Painted& p) { EXPECT_EQ(p.left, face.left); EXPECT_FALSE(p.colours.count(clWhite)); }},
        {"right aligned: the shadow at the border", [](TLabelEffect& l) { l.SetAlignment(taRightJustify); }, kGrey,
         clBlack, [&](const Painted& p) { EXPECT_EQ(p.right, right.right); }},
        {"graduated: blue 0, 64, 128, 191 at distances 5 to 2", [](TLabelEffect& l) {
             l.SetDepthHighlight(0), l.SetStyleShadow(eoGraduated), l.SetDepthShadow(5), l.SetFontColor(0xFF0000);
         }, kGrey, 0xBF0000, [&](const Painted& p) {
             EXPECT_EQ(p.right, face.right + 2);
             for (TColor c : {0x000000u, 0x400000u, 0x800000u, 0xBF0000u}) EXPECT_TRUE(p.colours.count(c)) << c;
         }},
        {"extrude: three copies in the shadow colour", [](TLabelEffect& l) {
             l.SetStyleShadow(eoExtrude), l.SetDepthShadow(3);
         }, kGrey, clBlack, [&](const Painted& p) {
             EXPECT_EQ(p.right, face.right + 4);  // the highlight moves everything by 1
             EXPECT_GT(p.count, Paint(Label([](TLabelEffect& l) { l.SetDepthShadow(3); }), kGrey, clBlack).count);
         }},
        {"real shadow halves silver", [](TLabelEffect& l) { l.SetStyleShadow(eoReal); }, clSilver, 0x606060,
         [](const Painted& p) { EXPECT_GT(p.count, 10); EXPECT_FALSE(p.colours.count(clBlack)); }},
        {"real highlight lightens dark grey", [](TLabelEffect& l) { l.SetStyleHighlight(eoReal); }, 0x404040,
         0x9F9F9F, [](const Painted& p) { EXPECT_GT(p.count, 10); EXPECT_FALSE(p.colours.count(clWhite)); }},
        {"a system colour by its low bytes", [](TLabelEffect& l) { l.SetColourShadow(clWindowText); }, kGrey,
         0x000008, [&](const Painted& p) { EXPECT_EQ(p.right, face.right + 2); }},
        {"& underlines the next letter", [](TLabelEffect& l) { l.SetEffectStyle(esNone), l.SetCaption("A&B"); },
         kGrey, clGray, [&](const Painted& p) {
             const Painted plain = Paint(Label([](TLabelEffect& l) { l.SetEffectStyle(esNone), l.SetCaption("AB"); }),
                                         kGrey, clGray);
             EXPECT_EQ(p.left, plain.left); EXPECT_GT(p.bottom, plain.bottom);
         }},
        {"opaque at 45 degrees: only the tilted box", [](TLabelEffect& l) {
             l.SetBounds(0, 0, 150, 150), l.SetTransparent(false), l.SetColor(0x00FF00), l.SetAngle(45);
         }, kGrey, 0x00FF00, [](const Painted& p) {
             EXPECT_GT(p.count, 500);
             EXPECT_TRUE(p.left > 0 && p.top > 0 && p.right < 149 && p.bottom < 149);
         }},
        {"an empty caption with a gradient draws nothing",
         [](TLabelEffect& l) { l.SetCaption(""), l.SetGraduateFace(goVertical); }, kGrey, kGrey,
         [](const Painted& p) { EXPECT_EQ(p.colours, std::set<TColor>{kGrey}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.check(Paint(Label(c.setup), c.background, c.colour));
    }

    // Vertical face gradient from black to red: each face pixel in its row's
    // colour, a key-coloured pixel outside the face too, nothing else changed.
    TLabelEffect label = Label([](TLabelEffect& l) {
        l.SetEffectStyle(esNone), l.SetFontColor(0x0000FF), l.SetGraduateFace(goVertical), l.SetGraduateFrom(clBlack);
    });
    ui::MemoryImage probe(1, 1);
    const ui::Font font("Times New Roman", label.Font().height);
    probe.UseFont(font.Handle());
    SIZE cell{};
    GetTextExtentPoint32A(probe.DC(), "Quillet", 7, &cell);
    const double step = 255.0 / (cell.cy - 1);  // over the rows of the text's cell
    const Painted p = Paint(label, kGrey, kGrey, POINT{140, 20});
    int faced = 0, wrong = 0;
    for (int y = 0; y < label.Height(); ++y) {
        for (int x = 0; x < label.Width(); ++x) {
            const TColor c = ColorOf(p.image->Pixel(x, y));
            faced += c != kGrey;
            wrong += c != kGrey && c != RGBColor(RoundHalfEven(step * y), 0, 0);
        }
    }
    EXPECT_EQ(faced, face.count + 1);
    EXPECT_EQ(wrong, 0);

    // A 32-bit process has no room for the images of so large a label (the
    // x64 test build has, and would only paint for a minute).
    if constexpr (sizeof(void*) == 4) {
        TLabelEffect huge = Label([](TLabelEffect& l) { l.SetBounds(0, 0, 30000, 30000); });
        ui::MemoryImage surface(8, 8);
        surface.Fill(kGrey);
        EXPECT_THROW(PaintLabelEffect(huge, surface.DC()), base::Error) << "no memory for the images";
        EXPECT_EQ(surface.Pixel(3, 3), PixelOf(kGrey)) << "the surface as it was";
    }
}

TEST(LabelEffectWin, ControlSinksAsAButtonAndRepaintsItsRectangle) {
    ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
    ui::FormDesign design;
    design.className = "TLabelEffectTestForm";
    design.clientSize = {200, 100};
    ui::Form form(design);
    form.Create(nullptr);
    form.Show();
    auto& control = form.Make<TLabelEffectControl>(
        {form, ui::ControlDesign{"L", "Quillet", base::RectAt(20, 30, 142, 33), "", false}});
    TLabelEffect& label = control.Label();
    int clicks = 0, downs = 0;
    control.OnClick = [&](ui::Widget&) { ++clicks; };
    control.OnMouseDown = [&](ui::Widget&, base::MouseButton, unsigned, int, int) { ++downs; };
    label.SetAsButton(true);
    const struct { UINT msg; int x, y; WPARAM keys; TEffectStyle style; } steps[] = {
        {WM_LBUTTONDOWN, 30, 40, MK_LBUTTON, esSunken}, {WM_MOUSEMOVE, 190, 90, MK_LBUTTON, esRaised},
        {WM_MOUSEMOVE, 162, 63, MK_LBUTTON, esSunken}, {WM_MOUSEMOVE, 190, 90, MK_LBUTTON | MK_SHIFT, esSunken},
        {WM_LBUTTONUP, 40, 40, 0, esRaised}, {WM_RBUTTONDOWN, 40, 40, MK_RBUTTON, esRaised},
    };
    for (const auto& s : steps) {
        SendMessageA(form.Handle(), s.msg, s.keys, MAKELPARAM(s.x, s.y));
        EXPECT_EQ(label.EffectStyle(), s.style) << s.msg << " at " << s.x << "," << s.y;
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 0) << "a button-like label keeps its mouse events";

    wintest::PumpMessages();
    ValidateRect(form.Handle(), nullptr);
    label.SetAsButton(true);  // equal: no repaint
    EXPECT_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE));
    label.SetDepthShadow(5);
    RECT update{};
    GetUpdateRect(form.Handle(), &update, FALSE);
    EXPECT_TRUE(update.left == 20 && update.top == 30 && update.right == 162 && update.bottom == 63);

    ui::GraphicControl& base = control;  // the model is the one store, whatever the caller sees
    base.SetBounds(base::RectAt(10, 20, 100, 40));
    base.SetEnabled(false);
    EXPECT_TRUE(label.Left() == 10 && label.Top() == 20 && label.Width() == 100 && !label.Enabled());
}

}  // namespace
}  // namespace quillet
