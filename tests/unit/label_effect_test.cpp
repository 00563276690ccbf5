#include <gtest/gtest.h>

#include <cfenv>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "components/label_effect.h"
#include "components/label_effect_paint.h"

namespace quillet {
namespace {

using namespace base::colors;
using base::mbLeft;
using base::mbRight;
using base::ssLeft;
using base::ssRight;
using base::ssShift;

using L = TLabelEffect;

// The state the setters and the mouse handling change.
struct State {
    TEffectStyle style;
    TColourScheme scheme;
    TEffectDirection dirH, dirS;
    int depthH, depthS;
    TEffectOption styleH, styleS;
    TColor colH, colS, font, gradFrom;
    TSchemeColours custom;
    bool asButton;
    TAlignment alignment;
    int angle;
    bool keep;
    TMouseReply reply;
    bool operator==(const State&) const = default;
};

State Snap(const L& l, TMouseReply reply = {}) {
    return {l.EffectStyle(), l.ColourScheme(), l.DirectionHighlight(), l.DirectionShadow(),
            l.DepthHighlight(), l.DepthShadow(), l.StyleHighlight(), l.StyleShadow(),
            l.ColourHighlight(), l.ColourShadow(), l.Font().color, l.GraduateFrom(),
            l.SchemeColours(csCustom), l.AsButton(), l.Alignment(), l.Angle(),
            l.KeepLettersVertical(), reply};
}

TEST(LabelEffectModel, NewLabelAndAngleCache) {
    L label;
    EXPECT_TRUE(Snap(label) == (State{esRaised, csWindows, edUpLeft, edDownRight, 1, 1, eoNormal, eoNormal,
                                      clWhite, clBlack, clGray, clWindowText, {clWhite, clBlack, clGray},
                                      false, taLeftJustify, 0, false, {}}));
    EXPECT_TRUE(label.GraduateFace() == goNone && label.Transparent());
    EXPECT_TRUE(label.Width() == 142 && label.Height() == 33);
    EXPECT_EQ(label.Font(), base::MakeFont("Times New Roman", -27, 0, clGray));
    EXPECT_EQ(L(120).Font().height, -33);
    EXPECT_EQ(label.SchemeColours(csSteel), (TSchemeColours{clAqua, clNavy, clTeal}));

    // cos 90 degrees is tiny but not 0, and vanishes in any pixel product.
    label.SetAngle(90);
    EXPECT_EQ(label.SinAngle(), 1.0);
    EXPECT_NE(label.CosAngle(), 0.0);
    EXPECT_EQ(static_cast<int>(1000 * label.CosAngle()), 0);
    label.SetAngle(180);
    EXPECT_EQ(label.CosAngle(), -1.0);
    label.SetAngle(0);
    EXPECT_TRUE(label.CosAngle() == 1.0 && label.SinAngle() == 0.0);
}

using Act = std::function<TMouseReply(L&)>;
template <class F>
Act Do(F f) {
    return [f](L& l) { f(l); return TMouseReply{}; };
}
Act Down(base::MouseButton b) {
    return [b](L& l) { return l.MouseDown(b, b == mbLeft ? ssLeft : ssRight, 5, 5); };
}
Act Move(unsigned shift, int x, int y) { return [=](L& l) { return l.MouseMove(shift, x, y); }; }
Act Up(base::MouseButton b, int x) { return [=](L& l) { return l.MouseUp(b, 0, x, 5); }; }
void Button(L& l) { l.SetAsButton(true); }
void Pressed(L& l) { Button(l), Down(mbLeft)(l); }
void DraggedOut(L& l) { Pressed(l), Move(ssLeft, 143, 5)(l); }
void Sunken(State& s) { s.style = esSunken, s.dirH = edDownRight, s.dirS = edUpLeft; }
void Raised(State& s) { s.style = esRaised, s.dirH = edUpLeft, s.dirS = edDownRight; }

// One repaint per changed direction, depth or highlight colour.
constexpr int kOnePerChange = -1;
constexpr TMouseReply kQuiet{false}, kTake{false, TCapture::Take}, kRelease{false, TCapture::Release};

struct Row {
    std::string name;
    std::function<void(L&)> setup;
    Act act;
    int repaints;
    std::function<void(State&)> expect;  // the changes from the state after setup
};

TEST(LabelEffectModel, SettersPresetsSchemesAndMouse) {
    std::vector<Row> rows = {
        {"DepthShadow 3", {}, Do([](L& l) { l.SetDepthShadow(3); }), 1,
         [](State& s) { s.depthS = 3, s.style = esCustom; }},
        {"equal depth", {}, Do([](L& l) { l.SetDepthShadow(1); }), 0, [](State&) {}},
        {"depth 50 is 10", {}, Do([](L& l) { l.SetDepthShadow(50); }), 1,
         [](State& s) { s.depthS = 10, s.style = esCustom; }},
        {"steel, flying, raised", [](L& l) { l.SetColourScheme(csSteel), l.SetEffectStyle(esFlying); },
         Do([](L& l) { l.SetEffectStyle(esRaised); }), 3,
         [](State& s) { Raised(s), s.depthS = 1, s.colH = s.custom.highlight = clAqua; }},
        {"custom, flying, raised", [](L& l) { l.SetColourShadow(0xFF), l.SetEffectStyle(esFlying); },
         Do([](L& l) { l.SetEffectStyle(esRaised); }), 2, [](State& s) { Raised(s), s.depthS = 1; }},
        {"gold", {}, Do([](L& l) { l.SetColourScheme(csGold); }), 2, [](State& s) {
             s.scheme = csGold, s.colH = clYellow, s.font = clOlive, s.custom = {clYellow, clBlack, clOlive};
         }},
        {"shadow by hand after gold", [](L& l) { l.SetColourScheme(csGold), l.SetFontColor(0x123456); },
         Do([](L& l) { l.SetColourShadow(0xFF0000); }), 2,
         [](State& s) { s.scheme = csCustom, s.colS = s.custom.shadow = 0xFF0000, s.font = clOlive; }},
        {"quick-help sequence", {}, Do([](L& l) {
             l.SetColourHighlight(clAqua), l.SetColourShadow(clNavy), l.SetGraduateFrom(clWindowText);
             l.SetColourScheme(csSteel), l.SetAngle(90), l.SetFontColor(clTeal);
         }), 4, [](State& s) {
             s.scheme = csSteel, s.colH = clAqua, s.colS = clNavy, s.font = clTeal, s.angle = 90;
             s.custom = {clAqua, clNavy, clTeal};
         }},
        {"angle left-justifies", [](L& l) { l.SetAlignment(taCenter); }, Do([](L& l) { l.SetAngle(90); }), 2,
         [](State& s) { s.angle = 90, s.alignment = taLeftJustify; }},
        {"angle back to 0", [](L& l) { l.SetAngle(90), l.SetAlignment(taCenter); },
         Do([](L& l) { l.SetAngle(0); }), 1, [](State& s) { s.angle = 0; }},
        {"angle 400 is 360", {}, Do([](L& l) { l.SetAngle(400); }), 1, [](State& s) { s.angle = 360; }},
        {"GraduateFrom, no gradient", {}, Do([](L& l) { l.SetGraduateFrom(clGray); }), 0,
         [](State& s) { s.gradFrom = clGray; }},
        {"GraduateFrom, gradient", [](L& l) { l.SetGraduateFace(goVertical); },
         Do([](L& l) { l.SetGraduateFrom(clGray); }), 1, [](State& s) { s.gradFrom = clGray; }},
        {"upright letters, angle 0", {}, Do([](L& l) { l.SetKeepLettersVertical(true); }), 0,
         [](State& s) { s.keep = true; }},
        {"upright letters, angle 45", [](L& l) { l.SetAngle(45); },
         Do([](L& l) { l.SetKeepLettersVertical(true); }), 1, [](State& s) { s.keep = true; }},
        {"button from shadow", [](L& l) { l.SetEffectStyle(esShadow); }, Do(Button), 3,
         [](State& s) { Raised(s), s.asButton = true, s.depthH = s.depthS = 1; }},
        {"button when raised", {}, Do(Button), 0, [](State& s) { s.asButton = true; }},
        {"depth by hand ends the button", Button, Do([](L& l) { l.SetDepthHighlight(2); }), 1,
         [](State& s) { s.depthH = 2, s.style = esCustom, s.asButton = false; }},
        {"plain press and release",
         [](L& l) { EXPECT_EQ(Down(mbLeft)(l), (TMouseReply{true, TCapture::Take})); }, Up(mbLeft, 5), 0,
         [](State& s) { s.reply = {true, TCapture::Release, true}; }},
        {"press", Button, Down(mbLeft), 2, [](State& s) { Sunken(s), s.reply = kTake; }},
        {"disabled press", [](L& l) { Button(l), l.SetEnabled(false); }, Down(mbLeft), 0,
         [](State& s) { s.reply = kTake; }},
        {"right press", Button, Down(mbRight), 0, [](State& s) { s.reply = kQuiet; }},
        {"drag out", Pressed, Move(ssLeft, 143, 5), 2, [](State& s) { Raised(s), s.reply = kQuiet; }},
        {"drag in, far corner", DraggedOut, Move(ssLeft, 142, 33), 2,
         [](State& s) { Sunken(s), s.reply = kQuiet; }},
        {"drag with Shift", Pressed, Move(ssLeft | ssShift, 143, 5), 0, [](State& s) { s.reply = kQuiet; }},
        {"release inside", Pressed, Up(mbLeft, 5), 2,
         [](State& s) { Raised(s), s.reply = {false, TCapture::Release, true}; }},
        {"release on the far edge", Pressed, Up(mbLeft, 142), 2,
         [](State& s) { Raised(s), s.reply = kRelease; }},
        {"release outside", DraggedOut, Up(mbLeft, 200), 0, [](State& s) { s.reply = kRelease; }},
        {"right release inside", Pressed, Up(mbRight, 5), 2, [](State& s) { Raised(s), s.reply = kQuiet; }},
    };

    // Every preset from every scheme, starting from a sunken button (raised
    // for the sunken preset, so esCustom keeps the sunken directions).
    const TSchemeColours schemes[] = {{clWhite, clBlack, clGray},   {clWhite, clGray, clBlack},
                                      {clWhite, clBlack, clGray},   {clWhite, clBlack, clSilver},
                                      {clYellow, clBlack, clOlive}, {clAqua, clNavy, clTeal}};
    const struct {
        TEffectDirection dirH, dirS;
        int depthH, depthS;
        bool keepsButton;
    } presets[] = {{edNone, edNone, 0, 0, false},       {edDownRight, edUpLeft, 1, 1, false},
                   {edUpLeft, edDownRight, 1, 1, true}, {edDownRight, edUpLeft, 1, 1, true},
                   {edNone, edDownRight, 0, 2, false},  {edDownRight, edDownRight, 1, 5, false}};
    for (int scheme = csCustom; scheme <= csSteel; ++scheme) {
        for (int style = esNone; style <= esFlying; ++style) {
            const auto cs = static_cast<TColourScheme>(scheme);
            const auto es = static_cast<TEffectStyle>(style);
            const auto row = schemes[scheme];
            const auto p = presets[style];
            rows.push_back({"preset " + std::to_string(style) + ", scheme " + std::to_string(scheme),
                            [=](L& l) {
                                l.SetColourScheme(cs), Button(l);
                                l.SetEffectStyle(es == esSunken ? esRaised : esSunken);
                            },
                            Do([es](L& l) { l.SetEffectStyle(es); }), kOnePerChange, [=](State& s) {
                                s.style = es, s.dirH = p.dirH, s.dirS = p.dirS;
                                s.depthH = p.depthH, s.depthS = p.depthS, s.asButton = p.keepsButton;
                                s.colH = s.custom.highlight = es == esFlying ? row.shadow : row.highlight;
                            }});
        }
    }

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        L label;
        if (row.setup) row.setup(label);
        int repaints = 0;
        label.onInvalidate = [&] { ++repaints; };
        const State before = Snap(label);
        State expected = before;
        row.expect(expected);
        const State after = Snap(label, row.act(label));
        EXPECT_TRUE(after == expected);
        const int changes = (before.dirH != after.dirH) + (before.dirS != after.dirS) +
                            (before.depthH != after.depthH) + (before.depthS != after.depthS) +
                            (before.colH != after.colH);
        EXPECT_EQ(repaints, row.repaints == kOnePerChange ? changes : row.repaints);
    }
}

std::string Hex(TColor c) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(c));
    return text;
}

// Text is 10 pixels per character and 20 high, drawn as a solid block at the
// left of its rectangle, so the pixel passes have glyphs to work on.
base::Size Measure(const std::string& text) { return {10 * static_cast<int>(text.size()), 20}; }
std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
int liveImages = 0;

struct FakeImage : EffectImage {
    FakeImage(std::string n, int w, int h, std::vector<std::string>& l)
        : name(std::move(n)), width(w), height(h), pixels(w * h, 0xFFFFFF), log(l) { ++liveImages; }
    ~FakeImage() override { --liveImages; }

    void SetFont(const base::FontDescription& f, int turn) override {
        Log("font " + f.name + " " + std::to_string(turn));
    }
    void SetTextColor(TColor colour) override { text = colour; }
    void SetBrush(std::optional<TColor> solid) override {
        brush = solid, Log("brush " + (solid ? Hex(*solid) : "clear"));
    }
    base::Size MeasureText(const std::string& s) override { return Measure(s); }
    void DrawTextInRect(const std::string& s, const base::Rect& r, unsigned flags) override {
        Draw(s, r.left, r.top, "rect " + Xy(r.left, r.top) + " " + Xy(r.right, r.bottom) + " " +
                                   std::to_string(flags));
    }
    void DrawTextAt(int x, int y, const std::string& s) override {
        Draw(s, x, y, "at " + Xy(x, y) + " " + s);
    }
    void DrawPolygon(const std::vector<base::Point>&) override { Log("polygon"); }
    void FillRectangle(const base::Rect& r) override {
        Log("fill " + Xy(r.right, r.bottom));
        Fill(r.left, r.top, r.right, r.bottom, PixelOf(*brush));
    }
    PixelView Pixels() override { return {pixels.data(), width, height, width}; }

    void Log(const std::string& what) { log.push_back(name + " " + what); }
    void Draw(const std::string& s, int x, int y, const std::string& what) {
        Log(Hex(text) + " " + what);
        Fill(x, y, x + Measure(s).width, y + 20, PixelOf(text));
    }
    void Fill(int left, int top, int right, int bottom, std::uint32_t pixel) {
        for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
            for (int x = std::max(left, 0); x < std::min(right, width); ++x) pixels[y * width + x] = pixel;
    }

    std::string name;
    int width, height;
    std::vector<std::uint32_t> pixels;
    TColor text = clBlack;
    std::optional<TColor> brush = clWhite;
    std::vector<std::string>& log;
};

// A 142 by 33 surface; system colours resolve to $0000AA.
struct FakeSurface : EffectSurface {
    explicit FakeSurface(TColor background) : pixels(142 * 33, PixelOf(background)) {}
    std::unique_ptr<EffectImage> CreateImage(int width, int height) override {
        if (++created == failAt) throw std::runtime_error("no bitmap");
        return std::make_unique<FakeImage>(created == 1 ? "mask" : "work", width, height, log);
    }
    void CopyToImage(EffectImage& image, int, int) override {
        static_cast<FakeImage&>(image).pixels = pixels, log.push_back("surface to image");
    }
    void CopyFromImage(EffectImage& image, int, int) override {
        pixels = static_cast<FakeImage&>(image).pixels, log.push_back("image to surface");
    }
    TColor ResolveColor(TColor colour) override { return IsSystemColor(colour) ? 0x0000AA : colour; }
    TColor At(int x, int y) const { return ColorOf(pixels[y * 142 + x]); }

    std::vector<std::uint32_t> pixels;
    std::vector<std::string> log;
    int created = 0, failAt = 0;
};

TEST(LabelEffectPaint, PlacementOfShadowHighlightAndFace) {
    const struct {
        const char* name;
        std::function<void(L&)> setup;
        std::vector<std::string> draws;
    } cases[] = {
        {"new label", {},
         {"000000 rect 2,2 144,35 80", "FFFFFF rect 0,0 142,33 80", "808080 rect 1,1 143,34 80"}},
        {"shadow preset", [](L& l) { l.SetEffectStyle(esShadow); },
         {"000000 rect 2,2 144,35 80", "FFFFFF rect 0,0 142,33 80", "808080 rect 0,0 142,33 80"}},
        {"right justified", [](L& l) { l.SetAlignment(taRightJustify); },
         {"000000 rect 0,2 142,35 82", "FFFFFF rect -2,0 140,33 82", "808080 rect -1,1 141,34 82"}},
        // Copies take the low bytes of a system colour; the face resolves it.
        {"system colours", [](L& l) { l.SetColourShadow(clWindowText), l.SetFontColor(clWindowText); },
         {"000008 rect 2,2 144,35 80", "FFFFFF rect 0,0 142,33 80", "0000AA rect 1,1 143,34 80"}},
        // c = 130 / 2 = 65; X0 = 65 - 10 = 55, Y0 = 65 + 50 = 115: the face's centre is (c - m, c - m).
        {"rotated 90", [](L& l) { l.SetAngle(90), l.SetCaption("Quick help"); },
         {"000000 at 57,117 Quick help", "FFFFFF at 55,115 Quick help", "808080 at 56,116 Quick help"}},
        // X0 = 10, Y0 = 50; each letter 20 pixels above the one before.
        {"upright 90", [](L& l) { l.SetAngle(90), l.SetKeepLettersVertical(true), l.SetCaption("ABC"); },
         {"000000 at 12,52 A", "000000 at 12,32 B", "000000 at 12,12 C", "FFFFFF at 10,50 A",
          "FFFFFF at 10,30 B", "FFFFFF at 10,10 C", "808080 at 11,51 A", "808080 at 11,31 B",
          "808080 at 11,11 C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        L label;
        label.SetCaption("Ab");
        if (c.setup) c.setup(label);
        FakeSurface surface(clSilver);
        PaintLabelEffect(label, surface);
        std::vector<std::string> draws;  // text on the work image: "work RRGGBB ..."
        for (const std::string& line : surface.log)
            if (line.starts_with("work ") && line.find(' ', 5) == 11) draws.push_back(line.substr(5));
        EXPECT_EQ(draws, c.draws);
    }
}

TEST(LabelEffectPaint, CaptionLimitBackgroundShapesAndGradientSpans) {
    L label;
    auto layOut = [&] { return LayOutEffectCaption(label, ComputeMargins(label), Measure); };
    label.SetCaption(std::string(300, 'x'));
    EXPECT_EQ(layOut().text.size(), 255u);  // DrawTextA only
    label.SetAngle(90);
    EXPECT_EQ(layOut().runs[0].text.size(), 300u);

    label.SetCaption("Quick help");
    label.SetGraduateFace(goVertical);
    EXPECT_EQ(layOut().outline, (std::vector<base::Point>{{58, 122}, {58, 18}, {82, 18}, {82, 122}}));
    EXPECT_EQ(layOut().gradient, (GradientSpan{18, 104}));

    label.SetCaption("ABC");
    label.SetKeepLettersVertical(true);
    EXPECT_EQ(layOut().outline,
              (std::vector<base::Point>{{8, 48}, {8, 8}, {24, 8}, {24, 34}, {24, 74}, {8, 74}}));
    EXPECT_EQ(layOut().gradient, (GradientSpan{8, 66}));
    label.SetCaption("");  // no line: both boxes at the origin
    EXPECT_EQ(layOut().outline[1], (base::Point{8, 8}));

    label.SetAngle(0);
    label.SetGraduateFace(goHorizontal);
    label.SetCaption("Ab");
    for (auto [alignment, start] : {std::pair{taLeftJustify, 1}, {taRightJustify, 121}, {taCenter, 61}}) {
        label.SetAlignment(alignment);
        EXPECT_EQ(layOut().gradient, (GradientSpan{start, 19}));
    }
}

TEST(LabelEffectPaint, EffectCopiesAndBands) {
    const struct {
        TEffectOption option;
        int depth;
        TColor colour;
        std::vector<EffectCopy> copies;
    } cases[] = {
        {eoGraduated, 5, clBlack, {{5, 0}, {4, 0x400000}, {3, 0x800000}, {2, 0xBF0000}, {1, 0xFF0000}}},
        {eoGraduated, 1, clNavy, {{1, clNavy}}},
        {eoExtrude, 3, clNavy, {{3, clNavy}, {2, clNavy}, {1, clNavy}}},
        {eoReal, 2, clNavy, {{2, clBlack}}},
        {eoNormal, 0, clNavy, {{0, clNavy}}},
    };
    for (const auto& c : cases) {
        L label;
        label.SetStyleShadow(c.option);
        label.SetDepthShadow(static_cast<TEffectDepth>(c.depth));
        label.SetColourShadow(c.colour);
        label.SetFontColor(0xFF0000);
        EXPECT_EQ(PlanEffectPass(label, false).copies, c.copies) << &c - cases;
    }
    EXPECT_EQ(GradientBands(0, 0xFF0000, 4),
              (std::vector<TColor>{0, 0x400000, 0x800000, 0xBF0000, 0xFF0000}));
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(GradientBands(0x123456, 0xFF, 0), std::vector<TColor>{0x123456});
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID));
    EXPECT_TRUE(GradientBands(0, 0xFF, -1).empty());
    EXPECT_EQ(RoundHalfEven(-2.5) + RoundHalfEven(2.5) + RoundHalfEven(3.5), 4);
}

TEST(LabelEffectPaint, RealPassesAndFaceGradientPixels) {
    L label;
    label.SetCaption("Ab");  // highlight 0..19 square, face 1..20, shadow 2..21
    label.SetStyleShadow(eoReal);
    FakeSurface silver(clSilver);
    PaintLabelEffect(label, silver);
    EXPECT_EQ(silver.At(21, 21), 0x606060u);
    EXPECT_EQ(silver.At(0, 0), clWhite);
    EXPECT_EQ(silver.At(5, 5), clGray);
    EXPECT_EQ(silver.At(30, 5), clSilver);

    label.SetStyleShadow(eoNormal);
    label.SetStyleHighlight(eoReal);
    FakeSurface dark(0x404040);
    PaintLabelEffect(label, dark);
    EXPECT_EQ(dark.At(0, 0), 0x9F9F9Fu);
    EXPECT_EQ(dark.At(21, 21), clBlack);

    // Face rows 1..20 run from black to red; a key-coloured pixel outside the
    // face but inside a band takes the band's colour too.
    label.SetStyleHighlight(eoNormal);
    label.SetGraduateFace(goVertical);
    label.SetGraduateFrom(clBlack);
    label.SetFontColor(0x0000FF);
    FakeSurface keyed(clSilver);
    keyed.pixels[10 * 142 + 100] = PixelOf(kFaceKeyColor);
    PaintLabelEffect(label, keyed);
    EXPECT_EQ(keyed.At(5, 1), clBlack);
    EXPECT_EQ(keyed.At(5, 20), 0x0000FFu);
    EXPECT_EQ(keyed.At(100, 10), 0x000079u);  // band 9: 255 / 19 * 9 = 120.8
    EXPECT_EQ(keyed.At(30, 5), clSilver);
    EXPECT_EQ(keyed.At(0, 0), clWhite);
}

TEST(LabelEffectPaint, CompositionOrderAndFailure) {
    L label;
    label.SetCaption("A");
    label.SetTransparent(false);
    label.SetStyleShadow(eoGraduated);
    label.SetDepthShadow(2);
    label.SetStyleHighlight(eoReal);
    label.SetFontColor(clWindowText);
    label.SetGraduateFace(goHorizontal);
    FakeSurface surface(clSilver);
    PaintLabelEffect(label, surface);
    // Shadow graduated from black to the face colour's low bytes, real
    // highlight on the mask, face on the mask in the key colour.
    const std::vector<std::string> order = {
        "mask font Times New Roman 0", "work font Times New Roman 0", "surface to image",
        "work brush 0000AA", "work fill 142,33", "work brush clear",
        "work 000000 rect 3,3 145,36 80", "work 000008 rect 2,2 144,35 80",
        "mask brush FFFFFF", "mask fill 142,33", "mask 000000 rect 0,0 142,33 80",
        "mask brush clear", "mask FE09F1 rect 1,1 143,34 80", "image to surface"};
    EXPECT_EQ(surface.log, order);
    EXPECT_EQ(liveImages, 0);

    FakeSurface refusing(clSilver);
    refusing.failAt = 2;
    EXPECT_THROW(PaintLabelEffect(label, refusing), std::runtime_error);
    EXPECT_EQ(liveImages, 0);
    EXPECT_TRUE(refusing.log.empty());

    label.SetBounds(0, 0, 0, 33);
    PaintLabelEffect(label, surface);
    EXPECT_EQ(surface.created, 2);
}

}  // namespace
}  // namespace quillet
