// The application's hint machinery on real windows: the switch, the pause
// before a hint shows, the hide-pause, cancelling, and the switchable class of
// hint window.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/form.h"

namespace ui {
namespace {

// Records what the application asks of it, and shows nothing itself.
class RecordingHint : public HintWindow {
public:
    explicit RecordingHint(std::vector<std::string>* log) : log_(log) {}
    base::Rect CalcHintRect(int maxWidth, const std::string& hint) override {
        log_->push_back("calc " + std::to_string(maxWidth > 0) + " " + hint);
        return base::RectAt(0, 0, 120, 30);
    }
    void ActivateHint(base::Rect rect, const std::string& hint, Widget* control) override {
        log_->push_back("activate " + hint + " " + (control ? control->Name() : "?") + " " +
                        std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()));
    }
    void ReleaseHandle() override { log_->push_back("release"); }

private:
    std::vector<std::string>* log_;
};

class HintTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application& app = Application::Get();
        app.Initialize(GetModuleHandleA(nullptr));
        FormDesign design;
        design.className = "THintTestForm";
        design.caption = "hints";
        design.clientSize = {300, 200};
        design.position = base::Point{100, 100};
        form_ = std::make_unique<Form>(design);
        form_->Create(nullptr);
        button_ = &form_->Make<Button>(
            {form_->Handle(), ControlDesign{"bHinted", "Hinted", base::RectAt(20, 20, 120, 40),
                                            "A hint for the button", true}});
        plain_ = &form_->Make<Button>(
            {form_->Handle(), ControlDesign{"bPlain", "Plain", base::RectAt(20, 100, 120, 40), "", true}});
        form_->Show();
        app.HintPause = 50;
        app.HintHidePause = 30000;
        app.SetShowHint(true);
    }
    void TearDown() override {
        Application& app = Application::Get();
        app.CancelHint();
        app.SetHintWindowClass(nullptr);
        app.SetShowHint(false);
        form_.reset();
    }

    // Puts the pointer over a control and tells the application, as a real
    // mouse move would.
    void MoveOver(Control& control) {
        RECT r;
        GetWindowRect(control.Handle(), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }

    // Runs the application's message handling until `done` or the time is up.
    bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
        const UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);  // keeps GetMessage waking
        const DWORD start = GetTickCount();
        bool ok = done();
        while (!ok && GetTickCount() - start < ms) {
            Application::Get().HandleMessage();
            ok = done();
        }
        KillTimer(nullptr, tick);
        return ok;
    }

    std::unique_ptr<Form> form_;
    Button* button_ = nullptr;
    Button* plain_ = nullptr;
};

TEST_F(HintTest, ShowsAfterThePauseInAPlainWindow) {
    Application& app = Application::Get();
    MoveOver(*button_);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 3000));
    EXPECT_GE(GetTickCount() - start, 40u) << "not before the hint pause";
    HWND hint = app.CurrentHint()->Handle();
    ASSERT_TRUE(hint);
    EXPECT_TRUE(IsWindowVisible(hint));
    RECT r;
    GetWindowRect(hint, &r);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_GT(r.top, cursor.y) << "the hint sits below the pointer";
    EXPECT_GT(r.right - r.left, 20);

    app.CancelHint();
    EXPECT_EQ(app.CurrentHint(), nullptr);
    EXPECT_FALSE(IsWindow(hint));
}

TEST_F(HintTest, ADisabledControlShowsItsHintToo) {
    Application& app = Application::Get();
    button_->SetEnabled(false);
    RECT r;
    GetWindowRect(button_->Handle(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    // A disabled control gets no mouse messages: its form does.
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(form_->Handle(), &p);
    PostMessageA(form_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    ASSERT_TRUE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 3000));
}

TEST_F(HintTest, NothingWhileTheSwitchIsOffOrWithoutAHint) {
    Application& app = Application::Get();
    app.SetShowHint(false);
    MoveOver(*button_);
    EXPECT_FALSE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 400));
    app.SetShowHint(true);
    MoveOver(*plain_);
    EXPECT_FALSE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 400))
        << "a control without a hint shows none";
}

TEST_F(HintTest, HidesAfterTheHidePauseAndStaysHiddenOverTheSameControl) {
    Application& app = Application::Get();
    app.HintHidePause = 150;
    MoveOver(*button_);
    ASSERT_TRUE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return app.CurrentHint() == nullptr; }, 3000));
    MoveOver(*button_);
    EXPECT_FALSE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 400))
        << "the same control shows its hint again only after the pointer left it";
}

TEST_F(HintTest, TurningTheSwitchOffHidesTheHint) {
    Application& app = Application::Get();
    MoveOver(*button_);
    ASSERT_TRUE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 3000));
    app.SetShowHint(false);
    EXPECT_EQ(app.CurrentHint(), nullptr);
}

TEST_F(HintTest, TheHintWindowClassCanBeSwitched) {
    Application& app = Application::Get();
    std::vector<std::string> log;
    app.SetHintWindowClass([&log] { return std::make_unique<RecordingHint>(&log); });
    MoveOver(*button_);
    ASSERT_TRUE(PumpUntil([&] { return app.CurrentHint() != nullptr; }, 3000));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "calc 1 A hint for the button");
    EXPECT_EQ(log[1], "activate A hint for the button bHinted 120x30");
    app.CancelHint();
    EXPECT_EQ(log.back(), "release");
}

}  // namespace
}  // namespace ui
