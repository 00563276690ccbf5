#include "dialogs/quick_help_win32.h"

#include <windows.h>

#include <stdexcept>

#include "core/paths.h"
#include "core/text.h"
#include "ui/application.h"

namespace quillet {

std::string QuickHelpText(const std::string& exePath) {
    const std::string file = ExtractFilePath(exePath) + "readme.txt";
    const DWORD attrs = GetFileAttributesA(file.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        return "\r\n" + file + " could not be found in " + ExtractFileName(exePath) +
               "'s directory. Unable to load quick help.";
    }
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("Cannot open file " + file);
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return JoinLines(SplitLines(bytes));
}

void ShowQuickHelp(ui::Form& owner) {
    ui::Application& app = ui::Application::Get();
    app.SetShowHint(false);

    ui::FormDesign design;
    design.className = "TQuickHelp";
    design.caption = app.Title() + " quick help";
    design.clientWidth = 523;
    design.clientHeight = 355;
    design.border = ui::BorderStyle::DialogNoSysMenu;
    design.font = ui::Font("Helv", -11, ui::fsBold);
    ui::Form form(design);
    form.CreateHandle(owner.Handle());
    ui::CenterOverForm(owner, form);

    HWND self = form.Handle();
    auto& memo = form.Add<ui::Memo>(self, ui::ControlDesign{"Memo1", "", 56, 16, 453, 289, "", true},
                                    ES_READONLY | WS_VSCROLL);
    memo.SetFont(ui::Font("Fixedsys", 0));
    SendMessageA(memo.Handle(), EM_SETLIMITTEXT, 0, 0);
    memo.SetText(QuickHelpText(app.ExeName()));
    memo.OnKeyPress = [&form](ui::Control&, char& key) {
        if (key == 27) form.ModalResult = ui::mrCancel;
    };
    auto& ok = form.Add<ui::Button>(self, ui::ControlDesign{"bOK", "&OK", 450, 316, 61, 23, "", true});
    ok.ModalResult = ui::mrOk;
    ok.SetCancel(true);
    ok.OnClick = [&app](ui::Widget&) { app.SetShowHint(false); };
    form.SetDefaultButton(&ok);
    form.ShowModal();
}

}  // namespace quillet
