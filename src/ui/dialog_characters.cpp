#include "ui/dialog_characters.h"

#include "ui/mnemonics.h"
#include "ui/window.h"

namespace ui {

namespace {

char Upper(char c) {
    CharUpperBuffA(&c, 1);
    return c;
}

// A dialog's windows as the mnemonic search walks them.
struct DialogWindows {
    using Node = HWND;
    char key;  // upper case

    HWND FirstChild(HWND hwnd) const { return GetWindow(hwnd, GW_CHILD); }
    HWND NextSibling(HWND hwnd) const { return GetWindow(hwnd, GW_HWNDNEXT); }
    HWND Parent(HWND hwnd) const { return GetParent(hwnd); }
    bool Open(HWND hwnd) const {
        return (GetWindowLongA(hwnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
    }
    // Buttons and labels have mnemonics; a label that takes no part in the
    // search leaves DLGC_STATIC out of its code.
    bool Answers(HWND hwnd) const {
        if (!(SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_STATIC))) return false;
        const char mnemonic = MnemonicOf(WindowText(hwnd));
        return mnemonic != 0 && Upper(mnemonic) == key;
    }
};

}  // namespace

bool HandleDialogCharacter(HWND dialog, MSG& msg) {
    if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    // A message filter may take it first, as with the dialog manager.
    if (CallMsgFilterA(&msg, MSGF_DIALOGBOX)) return true;
    bool mnemonic = true;
    if (msg.message == WM_CHAR) {
        // Without Alt, a character belongs to the control it was typed on
        // when that control takes characters (an edit), or takes Tab and
        // this is one.
        const LRESULT code =
            SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        mnemonic = !(code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) &&
                   !(msg.wParam == '\t' && (code & DLGC_WANTTAB));
    }
    if (mnemonic) {
        const DialogWindows windows{Upper(static_cast<char>(msg.wParam))};
        if (HWND owner = FindMnemonicOwner(windows, dialog, msg.hwnd)) {
            if (SendMessageA(owner, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) {
                // A label gives the focus to the control after it.
                SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(owner), TRUE);
                SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
            } else {
                SendMessageA(owner, BM_CLICK, 0, 0);
            }
            return true;
        }
    }
    DispatchMessageA(&msg);
    return true;
}

}  // namespace ui
