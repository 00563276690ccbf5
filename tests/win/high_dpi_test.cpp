// The program at the DPI this process runs at: the test command runs this
// suite at 96 DPI with the others, then at 144 and 192 on screens as much
// larger. Every window, control, font, the message dialog and the balloon
// must be its 96-DPI design taken at that DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/main_window_win32.h"
#include "components/balloon_win32.h"
#include "core/settings.h"
#include "dialogs/message_dialog_win32.h"
#include "dialogs/quick_help_win32.h"
#include "ui/application.h"
#include "ui/geometry.h"
#include "win_helpers.h"

namespace quillet {
namespace {

int Dpi() { return ui::ScreenPixelsPerInch(); }
int At(int designed) { return base::ScaleForDpi(designed, Dpi()); }

LOGFONTA FontOf(HWND hwnd) {
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

base::Rect BoundsOf(const ui::Widget& widget) {
    if (auto* control = dynamic_cast<const ui::Control*>(&widget)) return control->Bounds();
    return dynamic_cast<const ui::GraphicControl&>(widget).Bounds();
}

// Each control where its design puts it at this DPI (a pixel either way for
// rounding), and each label that shows with its text inside its box, drawn
// as the label draws it.
void ExpectDesignsScaled(const ui::Form& form, int dpi = Dpi()) {
    for (const auto& widget : form.Controls()) {
        SCOPED_TRACE(widget->Name());
        const base::Rect want = base::ScaleForDpi(widget->DesignBounds(), dpi);
        const base::Rect got = BoundsOf(*widget);
        EXPECT_LE(std::abs(got.left - want.left) + std::abs(got.top - want.top), 1);
        EXPECT_LE(std::abs(got.Width() - want.Width()) + std::abs(got.Height() - want.Height()), 1);
        HWND label = widget->WindowHandle();
        if (!dynamic_cast<const ui::Label*>(widget.get()) || !(GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE))
            continue;
        const bool wraps = (GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
        HDC dc = GetDC(label);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
        RECT text{0, 0, got.Width(), 0};
        const std::string caption = wintest::WindowText(label);
        DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        EXPECT_LE(text.right, got.Width()) << caption;
        EXPECT_LE(text.bottom, got.Height()) << caption;
    }
}

// Moved to a monitor of another DPI, a form lays itself out again there and
// takes the rectangle the system suggests.
void ExpectLaidOutAgainAt(ui::Form& form, int dpi) {
    RECT suggested{10, 20, 10 + base::ScaleForDpi(form.Width(), dpi, Dpi()),
                   20 + base::ScaleForDpi(form.Height(), dpi, Dpi())};
    SendMessageA(form.Handle(), ui::kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), dpi);
    EXPECT_EQ(form.BoundsRect().TopLeft(), (base::Point{10, 20}));
    wintest::ExpectClientSize(form.Handle(), base::ScaleForDpi(form.Design().clientSize.width, dpi),
                              base::ScaleForDpi(form.Design().clientSize.height, dpi));
    ExpectDesignsScaled(form, dpi);
}

// What the message dialog showed, read from inside its modal loop.
struct DialogSeen {
    base::Rect image, message, button;
    LOGFONTA font{};
    int iconWidth = 0;
    bool shown = false;
} g_seen;

// The width of the picture a static image shows.
int IconWidth(HWND image) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageA(image, STM_GETICON, 0, 0)), &info)) return 0;
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

void CALLBACK ReadAndCloseDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("TMessageDialog", nullptr);
    if (g_seen.shown || !dialog || !IsWindowVisible(dialog)) return;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    g_seen.shown = true;
    const ui::Form& form = *ui::Form::FromHandle(dialog);
    const ui::Widget *image = form.FindControl("Image"), *message = form.FindControl("Message"),
                     *button = form.FindControl("Button1");
    if (!image || !message || !button) return;  // the checks then fail on empty values
    g_seen = {BoundsOf(*image), BoundsOf(*message), BoundsOf(*button), FontOf(button->WindowHandle()),
              IconWidth(image->WindowHandle()), true};
}

TEST(HighDpi, WindowsDialogsAndBalloonsAreTheirDesignsAtTheScreensDpi) {
    ui::Application& app = ui::Application::Get();
    app.Initialize(GetModuleHandleA(nullptr));
    DeleteFileA(SettingsFileFor(app.ExeName()).c_str());
    SCOPED_TRACE(::testing::Message() << Dpi() << " DPI");
    if (const char* want = std::getenv("QUILLET_TEST_DPI")) {
        ASSERT_EQ(Dpi(), std::atoi(want)) << "the prefix's DPI did not take";
    }

    TCFGFace face;
    face.Create();
    // Every control of the main window keeps its "Helv" -11.
    const auto expectWindowFont = [&face](int dpi) {
        for (const auto& widget : face.Controls()) {
            EXPECT_EQ(FontOf(widget->WindowHandle()).lfHeight, base::ScaleForDpi(-11, dpi)) << widget->Name();
        }
    };
    EXPECT_EQ(face.Dpi(), Dpi());
    wintest::ExpectClientSize(face.Handle(), At(498), At(438));  // 747 x 657 at 144 DPI
    expectWindowFont(Dpi());
    ExpectDesignsScaled(face);
    {
        TQuickHelp help({face, face.ExitButton(), face.GetPlatform(), face.State()});
        help.Create();
        wintest::ExpectClientSize(help.Handle(), At(523), At(355));  // 785 x 533 at 144 DPI
        ExpectDesignsScaled(help);
        ExpectLaidOutAgainAt(help, Dpi() == 96 ? 144 : 96);
    }

    // The message dialog: its constants scaled, its font the owner's 8 points.
    face.Show();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ReadAndCloseDialog);
    ShowMessageDialog("A message", "Caption", "&OK", "", "", 0, 1, &face);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_seen.shown);
    EXPECT_EQ(g_seen.image.left, At(20));
    EXPECT_EQ(g_seen.image.Extent(), (base::Size{At(32), At(32)}));
    EXPECT_EQ(g_seen.iconWidth, At(32));
    EXPECT_EQ(g_seen.message.left, At(72));
    EXPECT_EQ(g_seen.button.Width(), At(77));
    EXPECT_EQ(g_seen.font.lfHeight, -MulDiv(8, Dpi(), 72));

    // A balloon under the pointer: geometry, shadow and font at the DPI there.
    TBalloonHint hint(BalloonApp());
    hint.SetStyle(hsCustom);
    hint.SetFont(base::MakeFont("Helv", -11, base::fsBold));
    hint.SetShadowDepth(8);
    SetCursorPos(At(300), At(300));
    TBalloonHintWindow balloon;
    balloon.ActivateHint({}, "A hint", nullptr);
    const BalloonGeometry g = balloon.GetBalloonGeometry();
    EXPECT_EQ(balloon.Dpi(), Dpi());
    EXPECT_EQ(g.text.left - g.body.left, At(9));
    EXPECT_EQ(g.shadowDepth, At(8));
    EXPECT_EQ(g.cornerDiameter, At(18));
    EXPECT_EQ(std::abs(g.pointer[2].x - g.pointer[0].x), At(41));
    EXPECT_GE(balloon.Size().width, At(59));
    LOGFONTA lf{};
    GetObjectA(balloon.CanvasFont(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, At(-11));
    RECT shown{};
    GetWindowRect(balloon.Handle(), &shown);
    EXPECT_EQ(ui::FromRECT(shown).Extent(), balloon.Size());

    ExpectLaidOutAgainAt(face, Dpi() == 96 ? 144 : 96);
    expectWindowFont(face.Dpi());
}

}  // namespace
}  // namespace quillet
