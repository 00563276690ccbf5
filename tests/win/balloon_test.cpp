// Balloon hint windows on real windows and memory images: the region, the
// shadow's pixels, the message hook, the system status font, the controller's
// switch of the application's hint windows, and long hints.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/balloon_win32.h"
#include "ui/form.h"
#include "ui/message_hook.h"
#include "win_helpers.h"

namespace quillet {
namespace {

using wintest::PumpMessages;

// A MemoryImage pixel (0x00RRGGBB) of a plain colour.
std::uint32_t PixelOf(TColor c) { return RGBColour(BlueOf(c), GreenOf(c), RedOf(c)); }

class BalloonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
        InitBalloonUnit();
        ui::FormDesign design;
        design.className = "TBalloonTestForm";
        design.caption = "balloons";
        design.clientWidth = 500;
        design.clientHeight = 400;
        design.left = 100;
        design.top = 100;
        form_ = std::make_unique<ui::Form>(design);
        form_->CreateHandle(nullptr);
        button_ = &form_->Add<ui::Button>(
            form_->Handle(), ui::ControlDesign{"bHinted", "Hinted", 20, 20, 100, 30, "A hint"});
        form_->Add<ui::Button>(form_->Handle(),
                               ui::ControlDesign{"bPlain", "Plain", 20, 300, 100, 30, ""});
        form_->Show();
        PumpMessages();
        hint_ = std::make_unique<TBalloonHint>(BalloonApp());
        hint_->SetPosition(bpAboveRight);
    }
    void TearDown() override {
        hint_.reset();
        ui::Application::Get().SetShowHint(false);
        form_.reset();
    }

    // A balloon shown at the pointer, the pointer at (x, y) of the form.
    std::unique_ptr<TBalloonHintWindow> Show(const std::string& text, int x = 250, int y = 300) {
        POINT p{x, y};
        ClientToScreen(form_->Handle(), &p);
        SetCursorPos(p.x, p.y);
        wintest::PumpFor(30);
        auto balloon = std::make_unique<TBalloonHintWindow>();
        balloon->ActivateHint({}, text, nullptr);
        PumpMessages();
        return balloon;
    }

    std::unique_ptr<ui::Form> form_;
    ui::Button* button_ = nullptr;
    std::unique_ptr<TBalloonHint> hint_;
};

TEST_F(BalloonTest, RegionHasTheBalloonsAndTheShadowsShape) {
    struct Case {
        TBalloonShape shape;
        int sd;
    };
    for (const Case c : {Case{bsRoundRect, 8}, Case{bsRectangle, 8}, Case{bsRoundRect, 0}}) {
        SCOPED_TRACE(::testing::Message() << "shape " << int{c.shape} << ", SD " << c.sd);
        hint_->SetShape(c.shape);
        hint_->SetShadowDepth(c.sd);
        const auto balloon = Show("Shaped by a region");
        ui::GdiObject region(CreateRectRgn(0, 0, 0, 0));
        HRGN rgn = static_cast<HRGN>(region.Get());
        ASSERT_EQ(GetWindowRgn(balloon->Handle(), rgn), COMPLEXREGION);
        EXPECT_TRUE(EqualRgn(rgn, static_cast<HRGN>(balloon->CreateWindowRgn().Get())));
        if (c.sd == 0) {
            EXPECT_TRUE(EqualRgn(rgn, static_cast<HRGN>(balloon->CreateBalloonRgn(0).Get())));
        }

        const BalloonGeometry g = balloon->GetBalloonGeometry();
        const BalloonPoint tip = g.pointer[0];  // bottom left, above the pointer
        const BalloonSize size = balloon->Size();
        EXPECT_FALSE(PtInRegion(rgn, 0, 0));
        EXPECT_FALSE(PtInRegion(rgn, size.width - 1, 0));
        EXPECT_FALSE(PtInRegion(rgn, size.width - 1, size.height - 1));
        EXPECT_EQ(PtInRegion(rgn, g.body.left, g.body.top) != 0, c.shape == bsRectangle);
        EXPECT_TRUE(PtInRegion(rgn, tip.x + 5, tip.y - 3));
        EXPECT_FALSE(PtInRegion(rgn, tip.x + 1, tip.y - 3));
        EXPECT_EQ(PtInRegion(rgn, g.body.right + c.sd / 2, (g.body.top + g.body.bottom) / 2) != 0,
                  c.sd > 0);
    }
}

TEST_F(BalloonTest, ShadedShadowDarkensEveryOtherPixelSolidShadowIsBlack) {
    const std::uint32_t grey = 0x808080, black = 0;
    hint_->SetShape(bsRectangle);
    hint_->SetStyle(hsCustom);
    hint_->SetColor(clYellow);
    hint_->SetBorderColor(clNavy);
    for (TBalloonShadowStyle style : {ssShaded, ssSolid}) {
        SCOPED_TRACE(int{style});
        hint_->SetShadowStyle(style);
        const auto balloon = Show("Shadow");
        const BalloonSize size = balloon->Size();
        ui::MemoryImage under(size.width, size.height), picture(size.width, size.height);
        under.Fill(grey);
        balloon->Compose(under.DC(), picture.DC());

        const BalloonRect body = balloon->GetBalloonGeometry().body;
        EXPECT_EQ(picture.Pixel(0, 0), grey) << "outside balloon and shadow";
        EXPECT_EQ(picture.Pixel(body.left, body.top), PixelOf(clNavy)) << "square corner";
        EXPECT_EQ(picture.Pixel(body.left + 2, body.top + 2), PixelOf(clYellow));
        // Right of the body, inside the shadow: x + y even and odd.
        const int x = body.right + 3, y = body.top + 20 + (body.right + body.top + 23) % 2;
        EXPECT_EQ(picture.Pixel(x, y), black);
        EXPECT_EQ(picture.Pixel(x + 1, y), style == ssShaded ? grey : black);
    }
}

TEST_F(BalloonTest, HookHidesWhenTheScreenUnderTheBalloonMayChange) {
    HWND elsewhere = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 900, 700, 20, 20,
                                     nullptr, nullptr, nullptr, nullptr);
    const auto post = [](UINT msg) {
        return [msg](HWND form) { PostMessageA(form, msg, 0, MAKELPARAM(250, 300)); };
    };
    struct Case {
        const char* name;
        TBalloonBehaviors behavior;
        std::vector<std::function<void(HWND form)>> actions;
        bool hidden;
    };
    const TBalloonBehaviors hook{bbHideOnPaint}, regions{bbUseRegions, bbHideOnPaint};
    const Case cases[] = {
        {"first mouse move", hook, {post(WM_MOUSEMOVE)}, false},
        {"second mouse move", hook, {post(WM_MOUSEMOVE), post(WM_MOUSEMOVE)}, true},
        {"left button", hook, {post(WM_LBUTTONDOWN)}, true},
        {"non-client right button", hook, {post(WM_NCRBUTTONDOWN)}, true},
        {"repaint under the balloon", hook,
         {[](HWND form) { InvalidateRect(form, nullptr, FALSE); }}, true},
        {"repaint elsewhere", hook,
         {[elsewhere](HWND) { InvalidateRect(elsewhere, nullptr, FALSE); }}, false},
        {"repaint without hide-on-paint", {},
         {[](HWND form) { InvalidateRect(form, nullptr, FALSE); }}, false},
        {"regions: moves and buttons", regions,
         {post(WM_MOUSEMOVE), post(WM_MOUSEMOVE), post(WM_LBUTTONDOWN)}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hint_->SetBehavior(c.behavior);
        const auto balloon = Show("Watched");
        ASSERT_TRUE(IsWindowVisible(balloon->Handle()));
        EXPECT_EQ(ui::MessageHook::Installed() != nullptr, !c.behavior.Contains(bbUseRegions));
        for (const auto& action : c.actions) {
            action(form_->Handle());
            PumpMessages();
        }
        EXPECT_EQ(!IsWindowVisible(balloon->Handle()), c.hidden);
        EXPECT_EQ(ui::MessageHook::Installed() != nullptr,
                  !c.hidden && !c.behavior.Contains(bbUseRegions))
            << "a hook only while a balloon without a region is shown";
    }
    DestroyWindow(elsewhere);
}

TEST_F(BalloonTest, OneHookThatNeverOutlivesTheBalloonItWatches) {
    hint_->SetBehavior({});
    auto first = Show("First");
    const HHOOK hook = ui::MessageHook::Installed();
    ASSERT_NE(hook, nullptr);
    auto second = Show("Second", 300, 300);
    EXPECT_EQ(ui::MessageHook::Installed(), hook) << "never installed twice";
    EXPECT_TRUE(second->Watched());
    first.reset();
    EXPECT_EQ(ui::MessageHook::Installed(), hook) << "the shown balloon is still watched";
    second.reset();  // destroyed while shown
    EXPECT_EQ(ui::MessageHook::Installed(), nullptr);
}

// Sets HKCU "StatusFont" for the test and puts the original back.
class StatusFontValue {
public:
    StatusFontValue() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        DWORD size = 0;
        if (RegQueryValueExA(key_, "StatusFont", nullptr, &type_, nullptr, &size) == 0) {
            original_.emplace(size);
            RegQueryValueExA(key_, "StatusFont", nullptr, &type_, original_->data(), &size);
        }
    }
    ~StatusFontValue() {
        if (original_) {
            Set(*original_);
        } else {
            RegDeleteValueA(key_, "StatusFont");
        }
        RegCloseKey(key_);
    }
    void Set(const std::optional<std::vector<BYTE>>& bytes) {
        if (!bytes) {
            RegDeleteValueA(key_, "StatusFont");
            return;
        }
        RegSetValueExA(key_, "StatusFont", 0, REG_BINARY, bytes->data(),
                       static_cast<DWORD>(bytes->size()));
    }

private:
    static constexpr const char* kKey = "Control Panel\\Desktop\\WindowMetrics";
    HKEY key_ = nullptr;
    DWORD type_ = REG_BINARY;
    std::optional<std::vector<BYTE>> original_;
};

// A font description with 16- or 32-bit numbers and 8- or 16-bit characters.
std::vector<BYTE> FontBytes(int numberSize, int charSize, int height, const std::string& face) {
    std::vector<BYTE> b;
    const auto put = [&](int v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(static_cast<BYTE>(static_cast<unsigned>(v) >> (8 * i)));
    };
    for (int v : {height, 0, 0, 0, 400}) put(v, numberSize);
    for (int v : {0, 0, 0, 1, 0, 0, 0, 0}) b.push_back(static_cast<BYTE>(v));
    for (std::size_t i = 0; i < 32; ++i) put(i < face.size() ? face[i] : 0, charSize);
    return b;
}

TEST_F(BalloonTest, SystemStyleReadsTheStatusFontInTheLayoutItWasStored) {
    StatusFontValue value;
    LOGFONTA unchanged{};
    GetObjectA(BalloonDefaultHintFont(), sizeof unchanged, &unchanged);
    const int px = 11 * ui::ScreenPixelsPerInch() / 72;
    struct Case {
        const char* name;
        std::optional<std::vector<BYTE>> bytes;
        std::string face;
        int height;
    };
    const Case cases[] = {
        {"50 bytes, 16-bit", FontBytes(2, 1, -11, "Arial"), "Arial", px},
        {"92 bytes, wide", FontBytes(4, 2, -11, "Tahoma"), "Tahoma", px},
        {"missing", std::nullopt, unchanged.lfFaceName, unchanged.lfHeight},
    };
    hint_->SetStyle(hsSystem);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        value.Set(c.bytes);
        const auto balloon = Show("System");
        LOGFONTA lf{};
        GetObjectA(balloon->CanvasFont(), sizeof lf, &lf);
        EXPECT_EQ(std::string(lf.lfFaceName), c.face);
        EXPECT_EQ(lf.lfHeight, c.height);
        EXPECT_EQ(balloon->FontColor(), GetSysColor(COLOR_INFOTEXT));
        EXPECT_EQ(balloon->FillColor(), GetSysColor(COLOR_INFOBK));
        EXPECT_EQ(balloon->FrameColor(), clWindowFrame);
    }
}

TEST_F(BalloonTest, ActiveSwitchesTheApplicationsHintWindowsWithHintsOnOrOff) {
    ui::Application& app = ui::Application::Get();
    app.HintPause = 20;
    app.HintColor = clAqua;
    const auto pumpUntil = [&](const std::function<bool()>& done, DWORD ms) {
        const UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);  // keeps GetMessage waking
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < ms) app.HandleMessage();
        KillTimer(nullptr, tick);
    };
    // The kind of window the next hint over the button shows in, if any.
    const auto nextHint = [&]() -> std::string {
        auto* plain = static_cast<ui::Control*>(form_->FindControl("bPlain"));
        for (ui::Control* c : {plain, static_cast<ui::Control*>(button_)}) {
            const RECT r = c->ScreenBounds();
            SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            PostMessageA(c->Handle(), WM_MOUSEMOVE, 0, 0);
            pumpUntil([&] { return app.HintControl() == c; }, 500);
        }
        pumpUntil([&] { return app.CurrentHint() != nullptr; }, 1000);
        const ui::HintWindow* shown = app.CurrentHint();
        const auto* balloon = dynamic_cast<const TBalloonHintWindow*>(shown);
        const std::string kind = !shown ? "none" : balloon ? "balloon" : "plain";
        if (balloon) {
            EXPECT_EQ(balloon->FillColor(), clAqua) << "the application's hint colour";
        }
        app.CancelHint();
        return kind;
    };
    app.SetShowHint(true);
    EXPECT_EQ(nextHint(), "balloon");
    hint_->SetActive(false);
    EXPECT_TRUE(app.ShowHint());
    EXPECT_EQ(nextHint(), "plain");
    app.SetShowHint(false);
    hint_->SetActive(true);
    EXPECT_FALSE(app.ShowHint());
    EXPECT_EQ(nextHint(), "none");
    app.SetShowHint(true);
    EXPECT_EQ(nextHint(), "balloon");
    hint_.reset();
    EXPECT_EQ(nextHint(), "plain");
    app.HintColor = clInfoBk;
}

TEST_F(BalloonTest, TextIsMeasuredAndDrawnWholeAtAnyWidth) {
    std::string longHint;
    for (int i = 0; i < 60; ++i) longHint += "word" + std::to_string(i) + " ";
    longHint += "END";
    ASSERT_GT(longHint.size(), 255u);
    hint_->SetStyle(hsCustom);
    hint_->SetColor(clWhite);
    hint_->SetFont(BalloonFont{{.height = -11, .faceName = "Arial"}, clBlack});
    hint_->SetShadowDepth(0);
    struct Case {
        int maxWidth;
        std::string text;
    };
    for (const Case& c : {Case{-3, longHint}, Case{0, "Hi"}}) {
        SCOPED_TRACE(c.maxWidth);
        hint_->SetMaxWidth(c.maxWidth);
        const auto balloon = Show(c.text, 250, 390);
        const BalloonSize size = balloon->Size();
        EXPECT_GE(size.width, kMinBalloonWidth);
        ui::MemoryImage under(size.width, size.height), picture(size.width, size.height);
        under.Fill(clWhite);
        balloon->Compose(under.DC(), picture.DC());
        // Ink in the last line of the text.
        const BalloonRect t = balloon->GetBalloonGeometry().text;
        int ink = 0;
        for (int y = t.bottom - 12; y < t.bottom; ++y)
            for (int x = t.left; x < t.right; ++x) ink += picture.Pixel(x, y) == 0;
        EXPECT_GT(ink, 5);
    }
}

}  // namespace
}  // namespace quillet
