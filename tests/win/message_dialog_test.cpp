// The message dialog on real windows. The dialog is modal, so each test hands
// a driver to a thread timer: it fires inside the dialog's own message loop,
// finds the "TMessageDialog" window of this thread, looks at it and acts on it
// the way the keyboard or the mouse would.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "dialogs/message_dialog_win32.h"
#include "dialogs/message_layout.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/geometry.h"
#include "win_helpers.h"

namespace quillet {
namespace {

using wintest::WindowText;

// ---- finding the dialog and its parts ----

HWND FindMessageDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) WINAPI -> BOOL {
            char name[64] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) == "TMessageDialog" && IsWindowVisible(hwnd)) {
                *reinterpret_cast<HWND*>(param) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Part(HWND dialog, const std::string& name) {
    ui::Form* form = ui::Form::FromHandle(dialog);
    ui::Widget* control = form ? form->FindControl(name) : nullptr;
    return control ? control->WindowHandle() : nullptr;
}

RECT ClientBounds(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

base::Rect AsLayout(const RECT& r) { return ui::FromRECT(r); }

// ---- acting on it ----

void PostKey(UINT msg, WPARAM key, LPARAM flags = 1) { PostMessageA(GetFocus(), msg, key, flags); }
void PressEnter() { PostKey(WM_KEYDOWN, VK_RETURN); }
void PressEscape() { PostKey(WM_KEYDOWN, VK_ESCAPE); }
void PressTab() { PostKey(WM_KEYDOWN, VK_TAB); }
void PressSpace() {
    PostKey(WM_KEYDOWN, VK_SPACE);
    PostKey(WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001));
}
void TypeLetter(char letter) { PostKey(WM_CHAR, static_cast<WPARAM>(letter)); }
constexpr LPARAM kAltDown = 1 << 29;
void TypeAltLetter(char letter) { PostKey(WM_SYSCHAR, static_cast<WPARAM>(letter), kAltDown | 1); }
void PressAltF4() { PostKey(WM_SYSKEYDOWN, VK_F4, kAltDown | 1); }
void ClickOn(HWND button) {
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// The driver of the dialog now shown.
struct Driver {
    std::function<void(HWND)> action;
    bool acted = false;
    bool timedOut = false;
    int ticks = 0;
};
Driver* g_driver = nullptr;

constexpr UINT kTickMs = 20;
constexpr int kGiveUpTicks = 250;  // five seconds

void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *g_driver;
    ++d.ticks;
    HWND dialog = FindMessageDialog();
    if (!d.acted && dialog) {
        d.acted = true;
        d.action(dialog);
    } else if (d.ticks == kGiveUpTicks) {
        d.timedOut = true;
        if (dialog) PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

struct Call {
    std::string message = "Message";
    std::string caption = "Caption";
    std::string button1 = "&OK";
    std::string button2;
    std::string button3;
    int icon = 0;
    unsigned char defaultButton = 1;
};

// The text measured as the dialog should measure it, in the owner's font.
class TestMeasurer : public MessageTextMeasurer {
public:
    explicit TestMeasurer(const ui::Font& font) : font_(font), dc_(GetDC(nullptr)) {
        old_ = SelectObject(dc_, font_.Handle());
    }
    ~TestMeasurer() override {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    base::Size TextExtent(const std::string& text) override {
        SIZE s{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &s);
        return {s.cx, s.cy};
    }
    int CellHeight() override {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc_, &tm);
        return tm.tmHeight;
    }
    base::Size WrappedTextSize(const std::string& text, int maxWidth) override {
        return Measure(text, maxWidth, DT_CALCRECT | DT_WORDBREAK);
    }
    int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
    int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

    base::Size Measure(const std::string& text, int maxWidth, UINT flags) {
        RECT r{0, 0, maxWidth, 0};
        DrawTextA(dc_, text.c_str(), -1, &r, flags);
        return {r.right - r.left, r.bottom - r.top};
    }

private:
    ui::Font font_;
    HDC dc_;
    HGDIOBJ old_;
};

class MessageDialogTest : public ::testing::Test {
protected:
    // One owner for the whole suite: under Wine every window that goes away
    // may cost a wait for the window manager.
    static void SetUpTestSuite() {
        ui::Application& app = ui::Application::Get();
        // Other test files may have set the application up already.
        if (!app.Instance()) app.Initialize(GetModuleHandleA(nullptr));
        app.SetTitle("Quillet");
        ui::FormDesign design;
        design.className = "TTestOwner";
        design.caption = "Owner";
        design.font = OwnerFont();
        owner = new ui::Form(design);
        owner->Create(nullptr);
        owner->Show();
    }

    static void TearDownTestSuite() {
        delete owner;
        owner = nullptr;
    }

    void SetUp() override { MoveOwner(100, 80, 420, 340); }

    void TearDown() override {
        EXPECT_EQ(FindMessageDialog(), nullptr) << "the dialog outlived its call";
    }

    // Shows the dialog and runs `action` on it once it is up.
    int Run(const Call& c, std::function<void(HWND)> action) {
        Driver d;
        d.action = std::move(action);
        g_driver = &d;
        const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, DriverTick);
        const int result = ShowMessageDialog(c.message, c.caption, c.button1, c.button2, c.button3,
                                             c.icon, c.defaultButton, owner);
        KillTimer(nullptr, timer);
        g_driver = nullptr;
        EXPECT_TRUE(d.acted) << "the dialog never showed";
        EXPECT_FALSE(d.timedOut) << "the dialog did not close when driven";
        return result;
    }

    // The layout the dialog should have, from our own measurements.
    MessageDialogLayout Expected(HWND dialog, const Call& c) {
        RECT outer{}, client{};
        GetWindowRect(dialog, &outer);
        GetClientRect(dialog, &client);
        const base::Size frame{outer.right - outer.left - client.right,
                              outer.bottom - outer.top - client.bottom};
        TestMeasurer m(OwnerFont());
        return LayOutMessageDialog(c.message, c.button2, c.button3, c.defaultButton, m, frame);
    }

    void MoveOwner(int left, int top, int width, int height) {
        SetWindowPos(owner->Handle(), nullptr, left, top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(owner->BoundsRect(), base::RectAt(left, top, width, height));
    }

    // The dialog's outer size for `c`, found by showing it once.
    SIZE OuterSize(const Call& c) {
        SIZE size{};
        Run(c, [&](HWND dialog) {
            RECT r{};
            GetWindowRect(dialog, &r);
            size = {r.right - r.left, r.bottom - r.top};
            PressEscape();
        });
        return size;
    }

    static ui::Font OwnerFont() { return ui::Font("Helv", -11, base::fsBold); }
    static ui::Form* owner;
};

ui::Form* MessageDialogTest::owner = nullptr;

std::string LongMessage() {
    std::string text;
    for (int i = 0; i < 80; ++i) text += "configuration ";
    return text + "end.";
}

// ---- geometry ----

TEST_F(MessageDialogTest, ShortMessageIsTheRowWidthWithTheButtonCentred) {
    Call c;
    c.message = "Hi";
    Run(c, [&](HWND dialog) {
        const MessageDialogLayout want = Expected(dialog, c);
        ASSERT_LT(want.label.Width(), 15) << "the sample message must be narrower than 15 pixels";
        RECT outer{}, client{};
        GetWindowRect(dialog, &outer);
        GetClientRect(dialog, &client);
        EXPECT_EQ(outer.right - outer.left, 117);
        EXPECT_EQ(outer.bottom - outer.top, want.outerHeight);
        EXPECT_EQ(client.bottom, want.clientHeight);
        const RECT button = ClientBounds(Part(dialog, "Button1"));
        EXPECT_EQ(AsLayout(button), want.buttons[0]);
        EXPECT_EQ(button.right - button.left, 77);
        EXPECT_GE(button.bottom - button.top, 23);
        // Centred to within the pixel the halving drops.
        EXPECT_LE(std::abs((button.left + button.right) - client.right), 2);
        PressEnter();
    });
}

TEST_F(MessageDialogTest, LayoutMatchesTheTextMeasuredInTheOwnersFont) {
    struct Case {
        const char* name;
        std::string message;
        const char* button2;
        const char* button3;
    };
    const Case cases[] = {
        {"long, wrapped at half the screen", LongMessage(), "", ""},
        {"long, three buttons", LongMessage(), "&No", "Cancel"},
        {"paragraphs", "First line\n\nSecond paragraph\nthird\nfourth line", "&Yes", "&No"},
        {"short, two buttons", "Go?", "&No", ""},
        {"a word wider than the screen", "Not found at C:\\" + std::string(5000, 'W') + ".", "", ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Call c;
        c.message = k.message;
        c.button2 = k.button2;
        c.button3 = k.button3;
        Run(c, [&](HWND dialog) {
            const MessageDialogLayout want = Expected(dialog, c);
            RECT outer{}, client{};
            GetWindowRect(dialog, &outer);
            GetClientRect(dialog, &client);
            EXPECT_EQ(outer.right - outer.left, want.outerWidth);
            EXPECT_EQ(outer.bottom - outer.top, want.outerHeight);
            EXPECT_EQ(client.bottom, want.clientHeight);
            EXPECT_GE(outer.left, 0);
            EXPECT_GE(outer.top, 0);
            EXPECT_LE(outer.right, GetSystemMetrics(SM_CXSCREEN));
            EXPECT_LE(outer.bottom, GetSystemMetrics(SM_CYSCREEN));
            EXPECT_EQ(WindowText(Part(dialog, "Message")), want.text);
            EXPECT_EQ(AsLayout(ClientBounds(Part(dialog, "Image"))), want.icon);
            EXPECT_EQ(AsLayout(ClientBounds(Part(dialog, "Message"))), want.label);
            for (int n = 1; n <= 3; ++n) {
                HWND button = Part(dialog, "Button" + std::to_string(n));
                ASSERT_EQ(button != nullptr, n <= want.buttonCount) << "button " << n;
                if (button) {
                    EXPECT_EQ(AsLayout(ClientBounds(button)), want.buttons[std::size_t(n - 1)])
                        << "button " << n;
                }
            }
            PressEscape();
        });
    }
}

TEST_F(MessageDialogTest, LongMessageWrapsAtHalfTheScreenAndWidensTheDialog) {
    Call c;
    c.message = LongMessage();
    Run(c, [&](HWND dialog) {
        const RECT label = ClientBounds(Part(dialog, "Message"));
        const int half = GetSystemMetrics(SM_CXSCREEN) / 2;
        const int width = label.right - label.left;
        EXPECT_LE(width, half);
        EXPECT_GT(width, half - 120);
        EXPECT_GT(label.bottom - label.top, 32) << "several lines";
        RECT outer{};
        GetWindowRect(dialog, &outer);
        EXPECT_EQ(outer.right - outer.left, 72 + width + 30);
        // The buttons stand below the text.
        const RECT button = ClientBounds(Part(dialog, "Button1"));
        EXPECT_EQ(button.top, label.bottom + 20);
        PressEnter();
    });
}

TEST_F(MessageDialogTest, TakesTheOwnersFaceSizeAndStyle) {
    Run(Call{}, [&](HWND dialog) {
        for (const char* name : {"Message", "Button1"}) {
            HFONT font = reinterpret_cast<HFONT>(SendMessageA(Part(dialog, name), WM_GETFONT, 0, 0));
            LOGFONTA lf{};
            ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf)) << name;
            EXPECT_STREQ(lf.lfFaceName, "Helv") << name;
            EXPECT_EQ(lf.lfHeight, -11) << name;
            EXPECT_EQ(lf.lfWeight, FW_BOLD) << name;
            EXPECT_FALSE(lf.lfItalic) << name;
        }
        PressEnter();
    });
}

TEST_F(MessageDialogTest, AmpersandIsAnAcceleratorWhenMeasuredAndDrawn) {
    Call c;
    c.message = "&Hello && goodbye";
    Run(c, [&](HWND dialog) {
        HWND label = Part(dialog, "Message");
        EXPECT_EQ(WindowText(label), c.message);
        EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & SS_NOPREFIX, 0) << "drawn with prefixes";
        TestMeasurer m(OwnerFont());
        const RECT r = ClientBounds(label);
        const int shown = m.Measure("Hello & goodbye", 1000, DT_CALCRECT | DT_NOPREFIX).width;
        const int raw = m.Measure(c.message, 1000, DT_CALCRECT | DT_NOPREFIX).width;
        ASSERT_NE(shown, raw);
        EXPECT_EQ(r.right - r.left, shown);
        PressEnter();
    });
}

// ---- placement over the owner ----

TEST_F(MessageDialogTest, PlacedOverTheOwnerWithTheOverhangRule) {
    Call c;
    c.message = LongMessage();
    const SIZE size = OuterSize(c);
    ASSERT_GT(size.cx, 300);
    struct Case {
        const char* name;
        int centredX, centredY;  // where centring alone would put the dialog
        int expectedX, expectedY;
    };
    const Case cases[] = {
        {"left and top at -40", -40, -40, 20, 20},
        {"left and top at 0", 0, 0, 0, 0},
        {"inside the screen", 15, 33, 15, 33},
        {"odd overhang", -41, -7, 20, 3},
    };
    const int ownerW = 300;
    const int ownerH = 60;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        // Owner narrower than the dialog, placed so that centring gives the case.
        const int ownerLeft = k.centredX - (ownerW - size.cx) / 2;
        const int ownerTop = k.centredY - (ownerH - size.cy) / 2;
        MoveOwner(ownerLeft, ownerTop, ownerW, ownerH);
        Run(c, [&](HWND dialog) {
            RECT r{};
            GetWindowRect(dialog, &r);
            EXPECT_EQ(r.left, k.expectedX);
            EXPECT_EQ(r.top, k.expectedY);
            PressEnter();
        });
    }
}

TEST_F(MessageDialogTest, CentredOverAnOwnerWiderThanIt) {
    MoveOwner(200, 150, 400, 300);
    Run(Call{}, [&](HWND dialog) {
        RECT r{};
        GetWindowRect(dialog, &r);
        EXPECT_EQ(r.left, 200 + (400 - (r.right - r.left)) / 2);
        EXPECT_EQ(r.top, 150 + (300 - (r.bottom - r.top)) / 2);
        PressEnter();
    });
}

// ---- results ----

TEST_F(MessageDialogTest, ResultsOfKeysClicksAndClosing) {
    struct Case {
        const char* name;
        const char* button2;
        const char* button3;
        unsigned char defaultButton;
        std::function<void(HWND)> act;
        int expected;
    };
    const auto click = [](int n) {
        return [n](HWND d) { ClickOn(Part(d, "Button" + std::to_string(n))); };
    };
    const Case cases[] = {
        {"one button, Enter", "", "", 1, [](HWND) { PressEnter(); }, 1},
        {"one button, Escape", "", "", 1, [](HWND) { PressEscape(); }, 1},
        {"one button, click", "", "", 1, click(1), 1},
        {"one button, Space", "", "", 1, [](HWND) { PressSpace(); }, 1},
        {"one button, close box", "", "", 1,
         [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
        {"one button, WM_CLOSE", "", "", 1, [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, 2},
        {"one button, Alt+F4", "", "", 1, [](HWND) { PressAltF4(); }, 2},
        {"one button, accelerator", "", "", 1, [](HWND) { TypeLetter('o'); }, 1},
        {"default 2, Enter", "&No", "", 2, [](HWND) { PressEnter(); }, 2},
        {"default 1, Enter", "&No", "", 1, [](HWND) { PressEnter(); }, 1},
        {"default 2, Tab then Enter", "&No", "", 2,
         [](HWND) {
             PressTab();
             PressEnter();
         },
         1},
        {"no default, Enter on the focused first button", "&No", "", 0,
         [](HWND) { PressEnter(); }, 1},
        {"two buttons, Escape", "&No", "", 1, [](HWND) { PressEscape(); }, 2},
        {"three buttons, Escape", "&No", "&Cancel", 1, [](HWND) { PressEscape(); }, 3},
        {"three buttons, close box", "&No", "&Cancel", 1,
         [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
        {"three buttons, Alt+F4", "&No", "&Cancel", 3, [](HWND) { PressAltF4(); }, 2},
        {"accelerator letter", "&No", "", 2, [](HWND) { TypeLetter('y'); }, 1},
        {"Alt+accelerator", "&No", "", 1, [](HWND) { TypeAltLetter('n'); }, 2},
        {"accelerator of the third", "&No", "&Cancel", 1, [](HWND) { TypeLetter('C'); }, 3},
        {"click the second", "&No", "&Cancel", 1, click(2), 2},
        {"click the third", "&No", "&Cancel", 1, click(3), 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Call c;
        c.button1 = k.button2[0] ? "&Yes" : "&OK";
        c.button2 = k.button2;
        c.button3 = k.button3;
        c.defaultButton = k.defaultButton;
        EXPECT_EQ(Run(c, k.act), k.expected);
        EXPECT_TRUE(IsWindowEnabled(owner->Handle())) << "the owner takes input again";
    }
}

TEST_F(MessageDialogTest, MessageAmpersandDoesNotTakeAButtonsLetter) {
    Call c;
    c.message = "Say &Yes or &No";
    c.button1 = "&Yes";
    c.button2 = "&No";
    c.defaultButton = 1;
    // With the focus on the last button the search for the letter wraps round
    // past the message text before it reaches "&Yes".
    EXPECT_EQ(Run(c,
                  [](HWND dialog) {
                      PressTab();
                      PostMessageA(Part(dialog, "Button2"), WM_CHAR, 'y', 1);
                  }),
              1);
}

TEST_F(MessageDialogTest, DefaultButtonTwoOnOneButtonDialogLeavesNoDefaultButFocus) {
    Call c;
    c.defaultButton = 2;
    EXPECT_EQ(Run(c,
                  [](HWND dialog) {
                      ui::Form* form = ui::Form::FromHandle(dialog);
                      ASSERT_NE(form, nullptr);
                      EXPECT_EQ(form->DefaultButton(), nullptr);
                      EXPECT_EQ(GetFocus(), Part(dialog, "Button1"));
                      PressEnter();
                  }),
              1);
}

TEST_F(MessageDialogTest, SecondButtonEmptyIgnoresTheThird) {
    Call c;
    c.message = "Hi";
    c.button3 = "&Cancel";
    c.defaultButton = 3;
    EXPECT_EQ(Run(c,
                  [](HWND dialog) {
                      EXPECT_NE(Part(dialog, "Button1"), nullptr);
                      EXPECT_EQ(Part(dialog, "Button2"), nullptr);
                      EXPECT_EQ(Part(dialog, "Button3"), nullptr);
                      RECT r{};
                      GetWindowRect(dialog, &r);
                      EXPECT_EQ(r.right - r.left, 117);
                      TypeLetter('c');  // the ignored button's letter does nothing
                      PressEscape();
                  }),
              1);
}

TEST_F(MessageDialogTest, TabOrderDefaultAndCancelButtons) {
    Call c;
    c.button1 = "&Yes";
    c.button2 = "&No";
    c.button3 = "&Cancel";
    c.defaultButton = 2;
    Run(c, [](HWND dialog) {
        HWND b1 = Part(dialog, "Button1");
        HWND b2 = Part(dialog, "Button2");
        HWND b3 = Part(dialog, "Button3");
        EXPECT_EQ(GetFocus(), b2);
        EXPECT_EQ(GetNextDlgTabItem(dialog, b2, FALSE), b1);
        EXPECT_EQ(GetNextDlgTabItem(dialog, b1, FALSE), b3);
        EXPECT_EQ(GetNextDlgTabItem(dialog, b3, FALSE), b2);
        const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        EXPECT_EQ(HIWORD(def), DC_HASDEFID);
        EXPECT_EQ(LOWORD(def), GetDlgCtrlID(b2));
        for (const auto& [hwnd, n] : {std::pair{b1, 1}, std::pair{b2, 2}, std::pair{b3, 3}}) {
            auto* button = dynamic_cast<ui::Button*>(ui::Control::FromHandle(hwnd));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->ModalResult, n);
            EXPECT_EQ(button->Cancel(), n == 3) << n;
        }
        PressEnter();
    });
}

TEST_F(MessageDialogTest, ApplicationEndingGivesTwoAndPassesTheQuitOn) {
    Call c;
    c.button2 = "&No";
    c.button3 = "&Cancel";
    const int result = Run(c, [](HWND) { PostQuitMessage(7); });
    EXPECT_EQ(result, 2);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT swallowed";
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

// ---- the window itself ----

TEST_F(MessageDialogTest, WindowClassBorderAndTitle) {
    struct Case { const char* caption; const char* title; };
    for (const Case k : {Case{"", "Quillet"}, Case{"Save", "Save"}}) {
        Call c;
        c.caption = k.caption;
        Run(c, [&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), k.title);
            const LONG style = GetWindowLongA(dialog, GWL_STYLE);
            EXPECT_TRUE(style & WS_CAPTION);
            EXPECT_TRUE(style & WS_SYSMENU) << "close box";
            EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
            EXPECT_FALSE(IsWindowEnabled(owner->Handle())) << "modal";
            EXPECT_EQ(WindowText(Part(dialog, "Message")), "Message");
            PressEnter();
        });
    }
}

TEST_F(MessageDialogTest, BelongsToTheMainFormNotToTheOwner) {
    ui::FormDesign design;
    design.className = "TTestMain";
    design.clientSize = {200, 100};
    ui::Form main(design);
    main.Create(nullptr);
    ui::Application& app = ui::Application::Get();
    ui::Form* previous = app.MainForm();
    app.SetMainForm(&main);
    HWND ownerWindow = nullptr;
    Run(Call{}, [&](HWND dialog) {
        ownerWindow = GetWindow(dialog, GW_OWNER);
        PressEnter();
    });
    // Restored before `main` goes, whose end would otherwise end the program.
    app.SetMainForm(previous);
    EXPECT_EQ(ownerWindow, main.Handle());
}

TEST_F(MessageDialogTest, IconCodesChooseThePicture) {
    ui::Application& app = ui::Application::Get();
    const auto userIcon = [&](int index) {
        HICON h = ExtractIconA(app.Instance(), "user.exe", static_cast<UINT>(index));
        const bool found = reinterpret_cast<UINT_PTR>(h) > 1;
        if (found) DestroyIcon(h);
        return found;
    };
    struct Case { int code; const char* stock; int userIndex; };
    const Case cases[] = {
        {16, IDI_HAND, 3}, {32, IDI_QUESTION, 2}, {48, IDI_EXCLAMATION, 1}, {64, IDI_ASTERISK, 4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code);
        Call c;
        c.icon = k.code;
        Run(c, [&](HWND dialog) {
            const auto shown = reinterpret_cast<HICON>(
                SendMessageA(Part(dialog, "Image"), STM_GETICON, 0, 0));
            EXPECT_NE(shown, nullptr);
            EXPECT_NE(shown, app.Icon());
            // Where user.exe has no pictures, the system's own stand in.
            if (!userIcon(k.userIndex)) {
                EXPECT_EQ(shown, LoadIconA(nullptr, k.stock));
            }
            const RECT r = ClientBounds(Part(dialog, "Image"));
            EXPECT_EQ(r.right - r.left, 32);
            EXPECT_EQ(r.bottom - r.top, 32);
            PressEnter();
        });
    }
    for (const int code : {7, -1, -3, 100000}) {
        SCOPED_TRACE(code);
        Call c;
        c.icon = code;
        Run(c, [&](HWND dialog) {
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(Part(dialog, "Image"), STM_GETICON, 0, 0)),
                      app.Icon())
                << "no such icon in the program: the application's icon";
            PressEnter();
        });
    }
    Call own;
    own.icon = 0;
    Run(own, [&](HWND dialog) {
        const auto shown =
            reinterpret_cast<HICON>(SendMessageA(Part(dialog, "Image"), STM_GETICON, 0, 0));
        EXPECT_NE(shown, nullptr) << "the program's main icon";
        EXPECT_NE(shown, LoadIconA(nullptr, IDI_APPLICATION));
        PressEnter();
    });
}

}  // namespace
}  // namespace quillet
