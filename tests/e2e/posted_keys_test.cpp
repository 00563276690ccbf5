// Keys that automation tools post to the control with the focus, through
// quillet.exe.

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
        auto message = [&](const char* opener, const char* caption, int button) {
            return [&, opener, caption, button] {
                if (opener) s.Press(opener);
                const MessageDialog d = s.Dialog(caption);
                return (dialog = d.hwnd) ? d.Button(button) : nullptr;
            };
        };
        auto browserOpens = [&] {
            return !IsWindow(dialog) && (browser = s.app_.FindTopWindow(kStandardDialogClass));
        };
        auto browserButton = [&](int id) { return [&, id] { return GetDlgItem(browser, id); }; };
        const struct {
            std::function<HWND()> button;
            std::function<bool()> after;
        } rows[] = {
            {[&] {
                 s.Press("bHelp");
                 help = s.app_.WaitForWindow(kQuickHelpClass);
                 return help ? FindControl(help, "bOptions") : nullptr;
             },
             panel(true, "cCloseOnEsc")},
            {[&] { return FindControl(help, "Button3"); }, panel(false, "bOptions")},
            {[&] { return FindControl(help, "bOK"); }, [&] { return !IsWindow(help); }},
            {message("rD1", "Resource directory detection error", 1), browserOpens},
            {browserButton(IDOK), [&] { return !IsWindow(browser); }},
            {message("bUpdate", "Unsaved configuration detected", 2), [&] { return !IsWindow(dialog); }},
            {message(nullptr, "Resource directory detection error", 1), browserOpens},
            {browserButton(IDCANCEL), [&] { return !IsWindow(browser); }},
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
