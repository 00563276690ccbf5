// The toolkit's pieces on real windows: graphic controls (paint order,
// clipping, hit-testing and capture), panels (routing and tabbing), memory
// images, the message hook, title followers and the lookup of later Windows
// functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "ui/application.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/graphic_controls.h"
#include "ui/later_function.h"
#include "ui/message_hook.h"
#include "win_helpers.h"

namespace ui {
namespace {

using namespace base::colors;
using base::MouseButton;
using quillet::wintest::PumpFor;
using quillet::wintest::PumpMessages;

// A graphic control that fills itself in one colour and logs its events.
class Swatch : public PlainGraphic {
public:
    Swatch(Form& form, base::TColor color, std::vector<std::string>* log)
        : PlainGraphic(form), color_(color), log_(log) {}
    void Paint(HDC dc) override {
        // Larger than itself: clipping keeps it inside its bounds.
        RECT r{-50, -50, Width() + 50, Height() + 50};
        HBRUSH brush = CreateSolidBrush(ResolveColor(color_));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    void MouseDown(base::MouseButton b, unsigned shift, int x, int y) override {
        Log("down", x, y);
        GraphicControl::MouseDown(b, shift, x, y);
    }
    void MouseMove(unsigned, int x, int y) override { Log("move", x, y); }
    void MouseUp(base::MouseButton b, unsigned shift, int x, int y) override {
        Log("up", x, y);
        GraphicControl::MouseUp(b, shift, x, y);
    }

private:
    void Log(const char* what, int x, int y) {
        log_->push_back(Name() + " " + what + " " + std::to_string(x) + "," + std::to_string(y));
    }
    base::TColor color_;
    std::vector<std::string>* log_;
};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Get().Initialize(GetModuleHandleA(nullptr));
        FormDesign design;
        design.className = "TToolkitTestForm";
        design.caption = "toolkit";
        design.clientSize = {300, 200};
        design.position = base::Point{50, 50};
        form_ = std::make_unique<Form>(design);
        form_->Create(nullptr);
        form_->Show();
    }
    void TearDown() override { form_.reset(); }

    // The form's client pixel, as painted into a memory image.
    COLORREF PaintedPixel(int x, int y) {
        RECT r;
        GetClientRect(form_->Handle(), &r);
        MemoryImage image(r.right, r.bottom);
        SendMessageA(form_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.DC()),
                     PRF_CLIENT | PRF_ERASEBKGND);
        return image.Pixel(x, y);
    }
    void Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageA(form_->Handle(), msg, keys, MAKELPARAM(x, y));
    }

    std::unique_ptr<Form> form_;
    std::vector<std::string> log_;
};

TEST_F(ToolkitTest, GraphicControlsPaintInZOrderClippedToTheirBounds) {
    form_->Make<Swatch>({*form_, ControlDesign{"red", "", base::RectAt(10, 10, 50, 50), "", true}}, 0x0000FF,
                        &log_);
    form_->Make<Swatch>({*form_, ControlDesign{"blue", "", base::RectAt(40, 40, 50, 50), "", true}}, 0xFF0000,
                        &log_);
    // Pixels as 0x00RRGGBB words.
    EXPECT_EQ(PaintedPixel(15, 15), 0xFF0000u);  // red alone
    EXPECT_EQ(PaintedPixel(45, 45), 0x0000FFu);  // blue, made later, on top
    EXPECT_EQ(PaintedPixel(5, 5), PaintedPixel(295, 195)) << "a swatch painted outside itself";
    EXPECT_EQ(PaintedPixel(95, 45), PaintedPixel(295, 195));
}

TEST_F(ToolkitTest, MouseGoesToTheTopmostControlWithCaptureFromPressToRelease) {
    auto& red = form_->Make<Swatch>(
        {*form_, ControlDesign{"red", "", base::RectAt(10, 10, 50, 50), "", true}}, 0x0000FF, &log_);
    form_->Make<Swatch>({*form_, ControlDesign{"blue", "", base::RectAt(40, 40, 50, 50), "", true}}, 0xFF0000,
                        &log_);
    int clicks = 0;
    red.OnClick = [&](Widget&) { ++clicks; };

    EXPECT_EQ(form_->GraphicAt({45, 45})->Name(), "blue");
    EXPECT_EQ(form_->GraphicAt({200, 150}), nullptr);
    Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), form_->Handle());
    EXPECT_EQ(form_->MouseCapture(), &red);
    Mouse(WM_MOUSEMOVE, 200, 150, MK_LBUTTON);  // dragged out: still red's
    Mouse(WM_LBUTTONUP, 200, 150);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(form_->MouseCapture(), nullptr);
    EXPECT_EQ(clicks, 0) << "released outside";
    Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 21, 22);
    EXPECT_EQ(clicks, 1);
    red.SetEnabled(false);
    Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(clicks, 1) << "a disabled control takes no mouse";
    const std::vector<std::string> expected{"red down 10,10", "red move 190,140", "red up 190,140",
                                            "red down 10,10", "red up 11,12"};
    EXPECT_EQ(log_, expected);
}

TEST_F(ToolkitTest, RepaintRequestInvalidatesOnlyTheControl) {
    auto& red = form_->Make<Swatch>(
        {*form_, ControlDesign{"red", "", base::RectAt(10, 20, 50, 40), "", true}}, 0x0000FF, &log_);
    PumpMessages();
    ValidateRect(form_->Handle(), nullptr);
    red.Invalidate();
    RECT update{};
    GetUpdateRect(form_->Handle(), &update, FALSE);
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.top, 20);
    EXPECT_EQ(update.right, 60);
    EXPECT_EQ(update.bottom, 60);
}

TEST_F(ToolkitTest, PanelRoutesItsChildrenAndTabsThroughThemInOrder) {
    auto& panel = form_->Make<Panel>(
        {{form_->Handle(), ControlDesign{"panel", "", base::RectAt(10, 10, 200, 150), "", true}},
         {BevelKind::Raised}});
    auto& first = form_->Make<Button>(
        {form_->Handle(), ControlDesign{"first", "First", base::RectAt(220, 10, 70, 23), "", true}});
    auto& a = form_->Make<CheckBox>(
        {panel.Handle(), ControlDesign{"a", "A", base::RectAt(10, 10, 80, 17), "", true}});
    auto& b = form_->Make<Button>(
        {panel.Handle(), ControlDesign{"b", "B", base::RectAt(10, 40, 80, 23), "", true}});
    form_->Make<Swatch>({panel, ControlDesign{"inner", "", base::RectAt(100, 100, 20, 20), "", true}},
                        0x00FF00, &log_);
    int aClicks = 0, bClicks = 0;
    a.OnClick = [&](Widget&) { ++aClicks; };
    b.OnClick = [&](Widget&) { ++bClicks; };

    SendMessageA(a.Handle(), BM_CLICK, 0, 0);
    SendMessageA(b.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(aClicks, 1);
    EXPECT_EQ(bClicks, 1);
    // The dialog manager steps into the panel: after the panel's children
    // comes the form's next control, then round again.
    EXPECT_EQ(GetNextDlgTabItem(form_->Handle(), a.Handle(), FALSE), b.Handle());
    EXPECT_EQ(GetNextDlgTabItem(form_->Handle(), b.Handle(), FALSE), first.Handle());
    EXPECT_EQ(GetNextDlgTabItem(form_->Handle(), first.Handle(), FALSE), a.Handle());
    SendMessageA(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(105, 106));
    SendMessageA(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(105, 106));
    const std::vector<std::string> expected{"inner down 5,6", "inner up 5,6"};
    EXPECT_EQ(log_, expected);
}

TEST_F(ToolkitTest, RadioButtonsFormTheGroupTheirArgsName) {
    std::string clicked;
    std::map<std::string, RadioButton*> radios;
    for (const char* name : {"a1", "a2", "b1", "b2"}) {
        const int top = 10 + 20 * static_cast<int>(radios.size());
        auto& r = form_->Make<RadioButton>(
            {{form_->Handle(), ControlDesign{name, name, base::RectAt(10, top, 60, 17), ""}},
             {.group = std::string(1, name[0])}});
        r.OnClick = [&clicked, name](Widget&) { clicked += name; };
        radios[name] = &r;
    }
    for (const auto& [name, radio] : radios)
        EXPECT_EQ((GetWindowLongA(radio->Handle(), GWL_STYLE) & WS_GROUP) != 0, name[1] == '1') << name;
    // A click raises OnClick when it checks its button; each group keeps its own choice.
    for (const char* name : {"a1", "a2", "a1", "b2", "a1", "b1"})
        SendMessageA(radios[name]->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicked, "a1a2a1b2b1");
}

TEST(MemoryImage, PixelsAreTopDownWordsOfWhatGdiDrew) {
    MemoryImage image(4, 3);
    image.Fill(0x0000FF);  // red as a colour value
    SetPixelV(image.DC(), 3, 0, RGB(0, 0, 255));
    EXPECT_EQ(image.Pixels()[0], 0xFF0000u);
    EXPECT_EQ(image.Pixel(3, 0), 0x0000FFu);  // row 0 is the top row
    image.Pixels()[2 * image.Stride() + 1] = 0x00FF00;
    EXPECT_EQ(GetPixel(image.DC(), 1, 2), RGB(0, 255, 0));
    image.Fill(base::clWindowText);
    EXPECT_EQ(GetPixel(image.DC(), 0, 0), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_THROW(MemoryImage(0, 5), base::Error);
}

TEST(ResolveColor, SystemColorsLookedUpTheDefaultIsWindowText) {
    const struct {
        base::TColor color;
        COLORREF drawn;
    } cases[] = {
        {base::clInfoBk, GetSysColor(COLOR_INFOBK)},
        {base::kColorDefault, GetSysColor(COLOR_WINDOWTEXT)},
        {0x00123456, 0x123456},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveColor(c.color), c.drawn) << std::hex << c.color;
}

TEST(MessageHook, OneHookWhileOwnersLiveRemovedWithTheLast) {
    EXPECT_EQ(MessageHook::Installed(), nullptr);
    std::vector<UINT> seen;
    auto first = std::make_unique<MessageHook>([&](const MSG& m, bool) { seen.push_back(m.message); });
    const HHOOK hook = MessageHook::Installed();
    ASSERT_NE(hook, nullptr);
    {
        MessageHook second([](const MSG&, bool) {});
        EXPECT_EQ(MessageHook::Installed(), hook) << "never installed twice";
    }
    EXPECT_EQ(MessageHook::Installed(), hook);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    PumpMessages();
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_APP + 7), seen.end());
    first.reset();
    EXPECT_EQ(MessageHook::Installed(), nullptr);
}

TEST_F(ToolkitTest, TitleRecaptionsTheFormsThatFollowIt) {
    Application& app = Application::Get();
    const std::string before = app.Title();
    FormDesign design;
    design.className = "TTitleFollower";
    design.clientSize = {100, 50};
    design.followsTitle = true;
    auto follower = std::make_unique<Form>(design);
    follower->Create(nullptr);
    app.SetTitle("Renamed");
    EXPECT_EQ(follower->Caption(), "Renamed");
    EXPECT_EQ(form_->Caption(), "toolkit") << "a form that did not ask keeps its caption";
    follower.reset();
    app.SetTitle(before);  // no follower left to touch
    EXPECT_EQ(app.Title(), before);
}

TEST(LaterFunction, FindsWhatThisWindowsHasAndNothingElse) {
    const struct {
        const char* module;
        const char* name;
        bool found;
    } cases[] = {
        {"kernel32.dll", "GetTickCount", true},
        {"version.dll", "GetFileVersionInfoSizeA", true},  // loaded only when asked for
        {"kernel32.dll", "NoSuchFunction", false},
        {"nosuchdll.dll", "GetTickCount", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LaterFunction<FARPROC>(c.module, c.name) != nullptr, c.found) << c.module << "!" << c.name;
    }
    const auto tickCount = LaterFunction<DWORD(WINAPI*)()>("kernel32.dll", "GetTickCount");
    const DWORD found = tickCount();
    EXPECT_LT(GetTickCount() - found, 1000u) << "callable as the type it was asked for";
}

// A bitmap face keeps its name at the sizes of the system's set, and is made
// (and drawn, smooth) in its outline stand-in wherever a scaled design lands.
TEST(Font, BitmapFacesHaveOutlineStandInsAtSizesTheyLack) {
    const struct { const char* name; int height, systemDpi; const char* face; } cases[] = {
        {"Helv", -11, 96, "Helv"}, {"Helv", -16, 96, "Helv"}, {"Helv", -17, 96, "Microsoft Sans Serif"},
        {"ms sans serif", 14, 96, "Microsoft Sans Serif"}, {"MS Sans Serif", 13, 96, "MS Sans Serif"},
        {"Fixedsys", -12, 96, "Fixedsys"}, {"Fixedsys", -24, 96, "Lucida Console"}, {"Helv", 0, 96, "Helv"},
        {"Small Fonts", -17, 96, "Microsoft Sans Serif"}, {"Helv", -11, 144, "Microsoft Sans Serif"},
        {"Helv", -16, 144, "Helv"}, {"Fixedsys", -12, 120, "Lucida Console"}, {"Arial", -17, 144, "Arial"},
    };
    HDC dc = GetDC(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.height) + " at " + std::to_string(c.systemDpi));
        EXPECT_EQ(FaceDrawnFor(c.name, c.height, c.systemDpi), c.face);
        if (c.systemDpi != ScreenPixelsPerInch()) continue;
        const Font font(c.name, c.height, base::fsBold);
        const HGDIOBJ old = SelectObject(dc, font.Handle());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        EXPECT_EQ((tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0, std::string(c.face) != c.name);
    }
    ReleaseDC(nullptr, dc);
}

}  // namespace
}  // namespace ui
