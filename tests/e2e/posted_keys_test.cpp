// Keys that automation tools post to the control with the focus, through quillet.exe.

#include <gtest/gtest.h>

#include <functional>

#include "delphi_fixture.h"
#include "driver.h"

namespace e2e {
namespace {

// Enter and Space posted to each button that hides or closes what holds it
// do what the real keys do, and the program goes on answering.
TEST(PostedKeys, ButtonsThatHideOrCloseTheirContainerKeepTheProgramAnswering) {
    for (const char key : {'\r', ' '}) {
        SCOPED_TRACE(key == ' ' ? "Space" : "Enter");
        Session s;
        DelphiFixture::SetSearchPath1(s.delphi_.d1Root + "\\UNITS");  // no \LIB\: the browser is offered
        ASSERT_TRUE(s.Start());
        HWND help = nullptr, dialog = nullptr, browser = nullptr;
        auto panel = [&](bool shown, const char* focus) {
            return [&, shown, focus] {
                return IsShown(FindControl(help, "pOptions")) == shown &&
                       FocusedControl(help) == FindControl(help, focus);
            };
        };
        auto message = [&](const char* press, const char* caption, int button) {
            return [&, press, caption, button] {
                if (press) s.Press(press);
                const MessageDialog d = s.Dialog(caption);
                return (dialog = d.hwnd) ? d.Button(button) : nullptr;
            };
        };
        auto gone = [](HWND& window) { return [&window] { return !IsWindow(window); }; };
        auto browserOpens = [&] {
            return !IsWindow(dialog) && (browser = s.app_.FindTopWindow(kStandardDialogClass));
        };
        const struct {
            std::function<HWND()> button;
            std::function<bool()> after;
        } rows[] = {
            {[&] {
                 s.Press("bHelp");
                 return FindControl(help = s.app_.WaitForWindow(kQuickHelpClass), "bOptions");
             },
             panel(true, "cCloseOnEsc")},
            {[&] { return FindControl(help, "Button3"); }, panel(false, "bOptions")},
            {[&] { return FindControl(help, "bOK"); }, gone(help)},
            {message("rD1", "Resource directory detection error", 1), browserOpens},
            {[&] { return GetDlgItem(browser, IDOK); }, gone(browser)},
            {message("bUpdate", "Unsaved configuration detected", 2), gone(dialog)},
            {message(nullptr, "Resource directory detection error", 1), browserOpens},
            {[&] { return GetDlgItem(browser, IDCANCEL); }, gone(browser)},
        };
        for (const auto& row : rows) {
            HWND button = row.button();
            SCOPED_TRACE(Text(button));
            ASSERT_TRUE(PostKeystroke(button, key == ' ' ? VK_SPACE : VK_RETURN, key));
            ASSERT_TRUE(WaitFor(row.after, kWaitMs, "what the button does"));
            Sleep(100);  // the keystroke's other messages handled meanwhile
            char text[64];
            DWORD_PTR length = 0;
            ASSERT_TRUE(SendMessageTimeoutA(s.main_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                            SMTO_ABORTIFHUNG, 1000, &length))
                << "the program answers within a second";
        }
    }
}

}  // namespace
}  // namespace e2e
