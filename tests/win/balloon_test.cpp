// Balloon hint windows on real windows and memory images.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "components/balloon_win32.h"
#include "ui/form.h"
#include "ui/message_hook.h"
#include "win_helpers.h"

namespace quillet {
namespace {

using namespace base::colors;
using ui::MessageHook;

class BalloonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
        ui::FormDesign d;
        d.className = "TBalloonTestForm";
        d.clientSize = {400, 400};
        d.position = base::Point{100, 100};
        form_ = std::make_unique<ui::Form>(d);
        form_->Create(nullptr);
        hinted_ = &form_->Make<ui::Button>(
            {form_->Handle(), ui::ControlDesign{"bHinted", "", base::RectAt(20, 20, 100, 30), "A hint"}});
        plain_ = &form_->Make<ui::Button>(
            {form_->Handle(), ui::ControlDesign{"bPlain", "", base::RectAt(20, 300, 100, 30), ""}});
        form_->Show();
        hint_ = std::make_unique<TBalloonHint>(BalloonApp());
        hint_->SetPosition(bpAboveRight);
    }
    void TearDown() override { hint_.reset(); }

    // A balloon shown with the pointer at (x, y) of the form.
    std::unique_ptr<TBalloonHintWindow> Show(const std::string& text, int x = 250, int y = 380) {
        POINT p{x, y};
        ClientToScreen(form_->Handle(), &p);
        SetCursorPos(p.x, p.y);
        wintest::PumpFor(30);
        auto balloon = std::make_unique<TBalloonHintWindow>();
        balloon->ActivateHint({}, text, nullptr);
        wintest::PumpMessages();
        return balloon;
    }

    std::unique_ptr<ui::Form> form_;
    ui::Button* hinted_ = nullptr;
    ui::Button* plain_ = nullptr;  // away from the balloons
    std::unique_ptr<TBalloonHint> hint_;
};

TEST_F(BalloonTest, RegionAndPictureHaveTheShapeShadowAndWholeText) {
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word" + std::to_string(i) + " ";
    const std::uint32_t grey = 0x808080, yellow = 0xFFFF00, navy = 0x000080;
    struct Case {
        TBalloonShape shape;
        int sd, maxWidth;
        TBalloonShadowStyle style;
        std::string text;
    };
    const Case cases[] = {{bsRoundRect, 8, -3, ssShaded, longText}, {bsRectangle, 8, -3, ssSolid, longText},
                          {bsRectangle, 16, -3, ssShaded, longText}, {bsRoundRect, 0, 0, ssShaded, "Hi"}};
    hint_->SetStyle(hsCustom);
    hint_->SetColor(clYellow);
    hint_->SetBorderColor(clNavy);
    hint_->SetFont(base::FontDescription{.height = -11, .weight = 0, .charSet = 0, .name = "Arial",
                                         .color = clBlack});
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "shape " << int{c.shape} << ", SD " << c.sd);
        hint_->SetShape(c.shape);
        hint_->SetShadowDepth(c.sd);
        hint_->SetShadowStyle(c.style);
        hint_->SetMaxWidth(c.maxWidth);
        const auto balloon = Show(c.text);
        const base::Size size = balloon->Size();
        const BalloonGeometry g = balloon->GetBalloonGeometry();
        const base::Rect body = g.body;
        const base::Point tip = g.pointer[0];  // bottom left, at the pointer
        EXPECT_GE(size.width, kMinBalloonWidth);

        ui::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        HRGN rgn = static_cast<HRGN>(region.Get());
        ASSERT_EQ(GetWindowRgn(balloon->Handle(), rgn), COMPLEXREGION);
        EXPECT_TRUE(EqualRgn(rgn, static_cast<HRGN>(balloon->CreateBalloonRgn(0).Get())) == (c.sd == 0));
        EXPECT_FALSE(PtInRegion(rgn, 0, 0) || PtInRegion(rgn, size.width - 1, size.height - 1));
        EXPECT_EQ(PtInRegion(rgn, body.left, body.top) != 0, c.shape == bsRectangle);
        EXPECT_TRUE(PtInRegion(rgn, tip.x + 5, tip.y - 3) && !PtInRegion(rgn, tip.x + 1, tip.y - 3));
        const int sx = body.right + c.sd / 2, sy = body.top + 20 + (sx + body.top) % 2;
        EXPECT_EQ(PtInRegion(rgn, sx, sy) != 0, c.sd > 0);

        ui::MemoryImage under(size.width, size.height), picture(size.width, size.height);
        under.Fill(RGBColor(0x80, 0x80, 0x80));
        balloon->Compose(under.DC(), picture.DC());
        EXPECT_EQ(picture.Pixel(0, 0), grey) << "outside balloon and shadow";
        EXPECT_EQ(picture.Pixel(body.left, body.top), c.shape == bsRectangle ? navy : grey);
        EXPECT_EQ(picture.Pixel(body.left + 6, body.top + 4), yellow);
        if (c.sd > 0) {
            EXPECT_EQ(picture.Pixel(sx, sy), 0u);
            EXPECT_EQ(picture.Pixel(sx + 1, sy), c.style == ssShaded ? grey : 0u);
        }
        int ink = 0;  // in the last line of the text, however long it is
        for (int y = g.text.bottom - 12; y < g.text.bottom; ++y)
            for (int x = g.text.left; x < g.text.right; ++x) ink += picture.Pixel(x, y) == 0;
        EXPECT_GT(ink, 5);
    }
}

TEST_F(BalloonTest, HookHidesWhenTheScreenUnderTheBalloonMayChange) {
    constexpr UINT kRepaintUnder = 0, kRepaintElsewhere = 1;  // else a message posted to the form
    struct Case {
        const char* name;
        TBalloonBehaviors behavior;
        std::vector<UINT> events;
        bool hidden;
    };
    const TBalloonBehaviors hook{bbHideOnPaint};
    const Case cases[] = {
        {"first mouse move", hook, {WM_MOUSEMOVE}, false},
        {"second mouse move", hook, {WM_MOUSEMOVE, WM_MOUSEMOVE}, true},
        {"left button", hook, {WM_LBUTTONDOWN}, true},
        {"non-client right button", hook, {WM_NCRBUTTONDOWN}, true},
        {"repaint under the balloon", hook, {kRepaintUnder}, true},
        {"repaint elsewhere", hook, {kRepaintElsewhere}, false},
        {"repaint without hide-on-paint", {}, {kRepaintUnder}, false},
        {"regions", {bbUseRegions, bbHideOnPaint}, {WM_MOUSEMOVE, WM_MOUSEMOVE, kRepaintUnder}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hint_->SetBehavior(c.behavior);
        const auto balloon = Show("Watched");
        const bool hooked = !c.behavior.Contains(bbUseRegions);
        EXPECT_EQ(MessageHook::Installed() != nullptr, hooked);
        for (UINT event : c.events) {
            if (event > kRepaintElsewhere) PostMessageA(form_->Handle(), event, 0, 0);
            else InvalidateRect(event == kRepaintUnder ? form_->Handle() : plain_->Handle(), nullptr, FALSE);
            wintest::PumpMessages();
        }
        EXPECT_EQ(!IsWindowVisible(balloon->Handle()), c.hidden);
        EXPECT_EQ(MessageHook::Installed() != nullptr, hooked && !c.hidden) << "removed on hide";
    }
}

TEST_F(BalloonTest, OneHookThatNeverOutlivesTheBalloonItWatches) {
    hint_->SetBehavior({});
    auto first = Show("First");
    const HHOOK hook = MessageHook::Installed();
    auto second = Show("Second", 300);
    EXPECT_TRUE(hook && MessageHook::Installed() == hook) << "never installed twice";
    first.reset();
    EXPECT_EQ(MessageHook::Installed(), hook) << "the balloon shown is still watched";
    second.reset();  // destroyed while shown
    EXPECT_EQ(MessageHook::Installed(), nullptr);
}

// A font description with 16- or 32-bit numbers and 8- or 16-bit characters.
std::vector<BYTE> FontBytes(int numberSize, int charSize, const std::string& face) {
    std::vector<BYTE> b;
    const auto put = [&](unsigned v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(static_cast<BYTE>(v >> (8 * i)));
    };
    for (int v : {-11, 0, 0, 0, 400}) put(static_cast<unsigned>(v), numberSize);
    b.insert(b.end(), {0, 0, 0, 1, 0, 0, 0, 0});
    for (std::size_t i = 0; i < 32; ++i) put(i < face.size() ? face[i] : 0, charSize);
    return b;
}

TEST_F(BalloonTest, SystemStyleReadsTheStatusFontInTheLayoutItWasStored) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    std::vector<BYTE> original(1024);  // empty: no value
    DWORD size = 1024;
    original.resize(RegQueryValueExA(key, "StatusFont", nullptr, nullptr, original.data(), &size) ? 0 : size);
    const auto set = [key](const std::vector<BYTE>& bytes) {
        if (bytes.empty()) RegDeleteValueA(key, "StatusFont");
        else RegSetValueExA(key, "StatusFont", 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    };
    LOGFONTA unchanged{};
    GetObjectA(BalloonDefaultHintFont(), sizeof unchanged, &unchanged);
    const int px = 11 * ui::ScreenPixelsPerInch() / 72;
    const struct {
        std::vector<BYTE> bytes;
        std::string face;
        int height;
    } cases[] = {{FontBytes(2, 1, "Arial"), "Arial", px},
                 {FontBytes(4, 2, "Tahoma"), "Tahoma", px},
                 {{}, unchanged.lfFaceName, unchanged.lfHeight}};
    hint_->SetStyle(hsSystem);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        set(c.bytes);
        const auto balloon = Show("System");
        LOGFONTA lf{};
        GetObjectA(balloon->CanvasFont(), sizeof lf, &lf);
        EXPECT_EQ(lf.lfFaceName + std::to_string(lf.lfHeight), c.face + std::to_string(c.height));
        EXPECT_EQ(balloon->FontColor(), GetSysColor(COLOR_INFOTEXT));
        EXPECT_EQ(balloon->FillColor(), GetSysColor(COLOR_INFOBK));
    }
    set(original);
    RegCloseKey(key);
}

TEST_F(BalloonTest, ActiveSwitchesTheApplicationsHintWindowsWithHintsOnOrOff) {
    ui::Application& app = ui::Application::Get();
    app.HintPause = 20;
    const base::Rect r = hinted_->ScreenBounds();
    SetCursorPos(r.left + 5, r.top + 5);
    // The kind of window of the next hint over bHinted, once the pointer came from bPlain.
    const auto nextHint = [&]() -> std::string {
        for (ui::Control* c : {plain_, hinted_}) PostMessageA(c->Handle(), WM_MOUSEMOVE, 0, 0);
        const UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);  // keeps GetMessage waking
        for (const DWORD start = GetTickCount(); !app.CurrentHint() && GetTickCount() - start < 800;)
            app.HandleMessage();
        KillTimer(nullptr, tick);
        const auto* balloon = dynamic_cast<const TBalloonHintWindow*>(app.CurrentHint());
        const std::string kind = !app.CurrentHint() ? "none"
                                 : !balloon         ? "plain"
                                                    : "balloon " + std::to_string(balloon->FillColor());
        app.CancelHint();
        return kind;
    };
    const std::string balloon = "balloon " + std::to_string(app.HintColor);  // hsDefault
    app.SetShowHint(true);
    EXPECT_EQ(nextHint(), balloon);
    hint_->SetActive(false);
    EXPECT_EQ(nextHint(), "plain");
    app.SetShowHint(false);
    hint_->SetActive(true);
    EXPECT_FALSE(app.ShowHint());
    EXPECT_EQ(nextHint(), "none");
    app.SetShowHint(true);
    EXPECT_EQ(nextHint(), balloon);
    hint_.reset();
    EXPECT_EQ(nextHint(), "plain");
    app.SetShowHint(false);
}

}  // namespace
}  // namespace quillet
