#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "components/ellipsis_edit_win32.h"
#include "win_helpers.h"
#include "ui/application.h"
#include "ui/form.h"

namespace quillet {
namespace {

// A real dialog on screen (so that the dialog manager, the cursor and the
// mouse behave as in the program) with a default OK button and a Cancel.
class ElipsisEditTest : public ::testing::Test {
protected:
    struct Record {
        std::vector<int> commands;
        int closes = 0;
    };

    static INT_PTR CALLBACK DialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* record = reinterpret_cast<Record*>(GetWindowLongPtrA(dlg, DWLP_USER));
        switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            return TRUE;
        case WM_COMMAND:
            if (record && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                record->commands.push_back(LOWORD(wParam));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (record) ++record->closes;
            return TRUE;
        default:
            break;
        }
        return FALSE;
    }

    void SetUp() override {
        // An empty dialog template; the controls are created below.
        struct alignas(4) Template {
            DLGTEMPLATE dlg;
            WORD menu, cls, title;
        } t{};
        t.dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        t.dlg.cx = 300;
        t.dlg.cy = 120;
        dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &t.dlg, nullptr, DialogProc,
                                            reinterpret_cast<LPARAM>(&record));
        ASSERT_NE(dialog, nullptr);
        SetWindowPos(dialog, HWND_TOP, 50, 50, 560, 260, SWP_SHOWWINDOW);
        CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        10, 150, 80, 25, dialog, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
        CreateWindowExA(0, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 100, 150, 80,
                        25, dialog, reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
        SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
        font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                           NONANTIALIASED_QUALITY, 0, "Arial");
        bigFont = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                              NONANTIALIASED_QUALITY, 0, "Arial");
        SetForegroundWindow(dialog);
        // The fields' form: their font and identifiers; they sit on the dialog.
        ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
        ui::FormDesign design;
        design.className = "TElipsisOwner";
        owner = std::make_unique<ui::Form>(design);
        owner->Create(nullptr);
        Pump();
    }

    void TearDown() override {
        if (dialog) DestroyWindow(dialog);
        owner.reset();
        DeleteObject(font);
        DeleteObject(bigFont);
    }

    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

    static RECT ClientRect(HWND w) {
        RECT r{};
        GetClientRect(w, &r);
        return r;
    }

    // The button's rectangle in the edit's client coordinates.
    static RECT ButtonRectInEdit(const TElipsisEdit& e) {
        RECT r{};
        GetWindowRect(e.ButtonHandle(), &r);
        MapWindowPoints(nullptr, e.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    static RECT TextArea(HWND edit) {
        RECT r{};
        SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    // How far inside a given rectangle the base edit puts its text area (its
    // border and margins), measured on a plain edit of the same kind and font.
    int TextAreaInset(int w, int h, HFONT f) {
        HWND plain = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                     WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL, 0, 0, w, h, dialog,
                                     nullptr, nullptr, nullptr);
        SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        RECT full = ClientRect(plain);
        SendMessageA(plain, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&full));
        const int inset = full.right - TextArea(plain).right;
        DestroyWindow(plain);
        return inset;
    }

    void Click(HWND target) {
        RECT r{};
        GetWindowRect(target, &r);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        SetCursorPos(x, y);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
        // Handled once the button is up and its messages have left the queue.
        wintest::PumpUntil([] {
            return !(GetAsyncKeyState(VK_LBUTTON) & 0x8000) && !HIWORD(GetQueueStatus(QS_MOUSEBUTTON));
        }, 5000, "the click handled");
    }

    // Where a field goes on the dialog; the default size when none is given.
    TElipsisEdit::Args At(int x, int y, int w = TElipsisEdit::kDefaultWidth,
                          int h = TElipsisEdit::kDefaultHeight, bool autoSize = true) const {
        return {dialog, ui::ControlDesign{"", "", base::RectAt(x, y, w, h), "", true}, autoSize};
    }

    HWND dialog = nullptr;
    std::unique_ptr<ui::Form> owner;
    HFONT font = nullptr;
    HFONT bigFont = nullptr;
    Record record;
};

TEST_F(ElipsisEditTest, StartsAt150By24WithItsSquareButton) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, TElipsisEdit::kDefaultWidth, TElipsisEdit::kDefaultHeight, false));
    RECT w{};
    GetWindowRect(e.Handle(), &w);
    EXPECT_EQ(w.right - w.left, 150);
    EXPECT_EQ(w.bottom - w.top, 24);
    char caption[8] = {};
    GetWindowTextA(e.ButtonHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "...");
    EXPECT_EQ(GetParent(e.ButtonHandle()), e.Handle());
    const LONG style = GetWindowLongA(e.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_FALSE(style & ES_WANTRETURN);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
}

TEST_F(ElipsisEditTest, ButtonIsASquareOfClientHeightAfterEveryResize) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 150, 24, false));
    e.SetFont(font);
    struct Size { int w, h; };
    // The last two change only the height.
    const Size sizes[] = {{150, 24}, {369, 21}, {80, 30}, {250, 44}, {250, 26}, {250, 36}};
    for (const Size& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
        SetWindowPos(e.Handle(), nullptr, 0, 0, s.w, s.h, SWP_NOMOVE | SWP_NOZORDER);
        const RECT client = ClientRect(e.Handle());
        const RECT button = ButtonRectInEdit(e);
        const int side = client.bottom;
        EXPECT_EQ(button.top, 0);
        EXPECT_EQ(button.bottom, side);
        EXPECT_EQ(button.right, client.right);
        EXPECT_EQ(button.right - button.left, side);
        // The text area that was set ends where the button begins.
        const RECT text = TextArea(e.Handle());
        EXPECT_EQ(text.right + TextAreaInset(s.w, s.h, font), client.right - side);
        EXPECT_LE(text.right, button.left);
    }
}

TEST_F(ElipsisEditTest, FontChangeKeepsTheTextAreaNarrowed) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 300, 40, false));
    e.SetFont(bigFont);  // the base edit resets its text area here
    const RECT client = ClientRect(e.Handle());
    EXPECT_EQ(TextArea(e.Handle()).right + TextAreaInset(300, 40, bigFont),
              client.right - client.bottom);
}

TEST_F(ElipsisEditTest, AutoSizeFollowsTheFont) {
    auto lineHeight = [](HFONT f) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, f);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return static_cast<int>(tm.tmHeight);
    };
    auto height = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    const int border = 8 * GetSystemMetrics(SM_CYBORDER);

    TElipsisEdit automatic(*owner);
    automatic.Create(At(10, 10));
    EXPECT_TRUE(automatic.AutoSize());
    automatic.SetFont(bigFont);
    EXPECT_EQ(height(automatic.Handle()), lineHeight(bigFont) + border);
    automatic.SetFont(font);
    EXPECT_EQ(height(automatic.Handle()), lineHeight(font) + border);
    // The button followed the new height.
    EXPECT_EQ(ButtonRectInEdit(automatic).right - ButtonRectInEdit(automatic).left,
              ClientRect(automatic.Handle()).bottom);

    // As the main window places it: AutoSize off, 369 x 21.
    TElipsisEdit fixed(*owner);
    fixed.Create(At(10, 60, 369, 21, false));
    fixed.SetFont(bigFont);
    EXPECT_EQ(height(fixed.Handle()), 21);
}

TEST_F(ElipsisEditTest, CursorIsTheArrowFromTheButtonsFirstColumn) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 200, 30, false));
    Pump();
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR beam = LoadCursor(nullptr, IDC_IBEAM);
    const RECT client = ClientRect(e.Handle());
    const int boundary = client.right - (ButtonRectInEdit(e).right - ButtonRectInEdit(e).left);
    struct Case { int x; HWND asked; HCURSOR expected; const char* what; };
    const Case cases[] = {
        {boundary - 1, e.Handle(), beam, "last column of the text area"},
        {boundary, e.Handle(), arrow, "first column of the button"},
        {client.right - 1, e.Handle(), arrow, "last column of the button"},
        {2, e.Handle(), beam, "left end"},
        {boundary, e.ButtonHandle(), arrow, "asked through the button"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        POINT pt{c.x, client.bottom / 2};
        ClientToScreen(e.Handle(), &pt);
        ASSERT_TRUE(SetCursorPos(pt.x, pt.y));
        POINT now{};
        GetCursorPos(&now);
        ASSERT_EQ(now.x, pt.x);
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        SendMessageA(c.asked, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.asked),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), c.expected);
    }
}

TEST_F(ElipsisEditTest, ButtonFollowsTheEnabledState) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 200, 24));
    int clicks = 0;
    e.OnElipsisClick = [&](ui::Widget&) { ++clicks; };
    EXPECT_TRUE(IsWindowEnabled(e.ButtonHandle()));

    e.SetEnabled(false);
    EXPECT_FALSE(e.Enabled());
    EXPECT_FALSE(IsWindowEnabled(e.ButtonHandle()));
    SendMessageA(e.ButtonHandle(), BM_CLICK, 0, 0);
    Click(e.ButtonHandle());
    EXPECT_EQ(clicks, 0);

    e.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(e.ButtonHandle()));
    Click(e.ButtonHandle());
    EXPECT_EQ(clicks, 1);

    // Whoever disables the window, the button follows.
    EnableWindow(e.Handle(), FALSE);
    EXPECT_FALSE(IsWindowEnabled(e.ButtonHandle()));
    EnableWindow(e.Handle(), TRUE);
    EXPECT_TRUE(IsWindowEnabled(e.ButtonHandle()));
}

TEST_F(ElipsisEditTest, ClickReachesTheHandlerWithTheButtonAsSender) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 200, 24));
    std::vector<HWND> senders;
    e.OnElipsisClick = [&](ui::Widget& sender) { senders.push_back(sender.WindowHandle()); };
    HWND other = GetDlgItem(dialog, IDCANCEL);
    SetFocus(other);

    Click(e.ButtonHandle());                          // a real mouse click
    SendMessageA(e.ButtonHandle(), BM_CLICK, 0, 0);   // and the button's own click
    e.SetReadOnly(true);
    EXPECT_TRUE(e.ReadOnly());
    Click(e.ButtonHandle());                          // read-only still clicks
    ASSERT_EQ(senders.size(), 3u);
    for (HWND s : senders) EXPECT_EQ(s, e.ButtonHandle());
    // Like a speed button, the "..." button leaves the focus where it was.
    EXPECT_EQ(GetFocus(), other);

    // A press released outside the button is no click.
    RECT r{};
    GetWindowRect(e.ButtonHandle(), &r);
    SendMessageA(e.ButtonHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(e.ButtonHandle(), WM_LBUTTONUP, 0, MAKELPARAM(r.right - r.left + 5, 2));
    EXPECT_EQ(senders.size(), 3u);
}

TEST_F(ElipsisEditTest, ReturnAndEscapeAreTheDialogsKeys) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 200, 24));
    e.SetText("C:\\DELPHI");
    SetFocus(e.Handle());
    SendMessageA(e.Handle(), EM_SETSEL, 3, 3);

    PostMessageA(e.Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(e.Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    Pump();
    EXPECT_EQ(e.Text(), "C:\\DELPHI");
    EXPECT_EQ(record.commands, std::vector<int>{IDOK});  // the default button

    // Sent straight to the field, Return characters insert nothing either.
    SendMessageA(e.Handle(), WM_CHAR, '\r', 0x001C0001);
    SendMessageA(e.Handle(), WM_CHAR, '\n', 0x001C0001);
    EXPECT_EQ(e.Text(), "C:\\DELPHI");
    EXPECT_EQ(SendMessageA(e.Handle(), EM_GETLINECOUNT, 0, 0), 1);

    record.commands.clear();
    PostMessageA(e.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(e.Handle(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
    Pump();
    EXPECT_EQ(record.commands, std::vector<int>{IDCANCEL});
    EXPECT_EQ(record.closes, 0);

    // The base multi-line edit, once it knows it is in a dialog, would post
    // WM_CLOSE to its parent on Escape; the field does not.
    MSG asked{e.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    SendMessageA(e.Handle(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&asked));
    SendMessageA(e.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Pump();
    EXPECT_EQ(record.closes, 0);
    EXPECT_EQ(e.Text(), "C:\\DELPHI");
}

TEST_F(ElipsisEditTest, DialogCodeLeavesReturnEscapeAndTabToTheWindow) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 200, 24));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_TAB}) {
        MSG asked{e.Handle(), WM_KEYDOWN, key, 0, 0, {}};
        const LRESULT code =
            SendMessageA(e.Handle(), WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&asked));
        EXPECT_FALSE(code & (DLGC_WANTALLKEYS | DLGC_WANTTAB)) << key;
        EXPECT_TRUE(code & DLGC_WANTCHARS) << key;
    }
}

TEST_F(ElipsisEditTest, LongTextScrollsInsteadOfWrapping) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 150, 24));
    std::string text;
    for (int i = 0; i < 30; ++i) text += "C:\\DIR" + std::to_string(i) + ";";
    e.SetText(text);
    SetFocus(e.Handle());
    SendMessageA(e.Handle(), EM_SETSEL, text.size(), text.size());
    for (char c : std::string("XYZ")) SendMessageA(e.Handle(), WM_CHAR, c, 1);
    EXPECT_EQ(e.Text(), text + "XYZ");
    EXPECT_EQ(SendMessageA(e.Handle(), EM_GETLINECOUNT, 0, 0), 1);
    // The caret's end of the line is in view, left of the button; the start
    // has scrolled out to the left.
    const LRESULT last = SendMessageA(e.Handle(), EM_POSFROMCHAR, text.size() + 2, 0);
    const LRESULT first = SendMessageA(e.Handle(), EM_POSFROMCHAR, 0, 0);
    EXPECT_LT(static_cast<short>(LOWORD(last)), TextArea(e.Handle()).right);
    EXPECT_GE(static_cast<short>(LOWORD(last)), 0);
    EXPECT_LT(static_cast<short>(LOWORD(first)), 0);
}

TEST_F(ElipsisEditTest, LineBreaksNeverEnter) {
    TElipsisEdit e(*owner);
    e.Create(At(10, 10, 200, 24));
    e.SetText("C:\\DEL\r\nPHI\n");
    EXPECT_EQ(e.Text(), "C:\\DELPHI");

    SendMessageA(e.Handle(), EM_SETSEL, 2, 2);
    SendMessageA(e.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\nX\r\n"));
    EXPECT_EQ(e.Text(), "C:X\\DELPHI");

    // A paste of several lines becomes one line without the breaks.
    const std::string clip = "\\BIN\r\n\\LIB\r\n";
    ASSERT_TRUE(OpenClipboard(dialog));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, clip.size() + 1);
    memcpy(GlobalLock(mem), clip.c_str(), clip.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    SendMessageA(e.Handle(), EM_SETSEL, 10, 10);
    SendMessageA(e.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e.Text(), "C:X\\DELPHI\\BIN\\LIB");
    EXPECT_EQ(SendMessageA(e.Handle(), EM_GETLINECOUNT, 0, 0), 1);

    // Shift+Insert, which the base edit pastes with directly.
    e.SetText("C:");
    SendMessageA(e.Handle(), EM_SETSEL, 2, 2);
    SetForegroundWindow(dialog);
    SetFocus(e.Handle());
    INPUT keys[4] = {};
    const WORD order[4][2] = {{VK_SHIFT, 0}, {VK_INSERT, 0}, {VK_INSERT, KEYEVENTF_KEYUP},
                              {VK_SHIFT, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.dwFlags = order[i][1] | (order[i][0] == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    SendInput(4, keys, sizeof(INPUT));
    wintest::PumpUntil([&] { return e.Text() == "C:\\BIN\\LIB"; }, 5000, "the paste");
    EXPECT_EQ(GetFocus(), e.Handle());
    EXPECT_EQ(GetForegroundWindow(), dialog);
    EXPECT_EQ(e.Text(), "C:\\BIN\\LIB");
    EXPECT_EQ(SendMessageA(e.Handle(), EM_GETLINECOUNT, 0, 0), 1);
    e.SetText("C:X\\DELPHI\\BIN\\LIB");

    // Nothing is pasted into a read-only field.
    e.SetReadOnly(true);
    SendMessageA(e.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(e.Text(), "C:X\\DELPHI\\BIN\\LIB");
}

TEST_F(ElipsisEditTest, WindowAndButtonGoTogether) {
    HWND edit = nullptr, button = nullptr;
    {
        TElipsisEdit e(*owner);
        e.Create(At(10, 10));
        edit = e.Handle();
        button = e.ButtonHandle();
        ASSERT_TRUE(IsWindow(edit));
        ASSERT_TRUE(IsWindow(button));
    }
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_FALSE(IsWindow(button));

    // The parent may destroy the field first; the object then lets go of it.
    TElipsisEdit e(*owner);
    e.Create(At(10, 10));
    DestroyWindow(e.Handle());
    EXPECT_EQ(e.Handle(), nullptr);
    EXPECT_EQ(e.ButtonHandle(), nullptr);
    EXPECT_EQ(e.Text(), "");
}

}  // namespace
}  // namespace quillet
