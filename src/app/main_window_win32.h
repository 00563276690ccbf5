// The main window: the compiler version, the compiler path, the four path
// fields, the buttons and the configuration text box. Its controls hold the
// configuration state; the handlers work on them through the seams.
#pragma once

#include <memory>
#include <string>

#include "app/platform_win32.h"
#include "components/balloon_win32.h"
#include "components/ellipsis_edit_win32.h"
#include "components/folder_browser_win32.h"
#include "config/compiler_selector_win32.h"
#include "core/app_state.h"
#include "core/main_view.h"
#include "core/prompts.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/graphic_controls.h"

namespace quillet {

class TCFGFace final : public ui::Form, public MainView, public Prompts {
public:
    TCFGFace();
    ~TCFGFace() override;
    // Makes the window and its controls and runs the form's creation; the
    // window becomes the application's main form.
    void Create();

    // Handlers, named after their control and event.
    void FormCreate();
    void FormClose();
    void rD1Click();
    void bUpdateClick();
    void eExepathElipsisClick();
    void bCreateClick();
    void bSaveClick();
    void bExitClick();
    void bHelpClick();
    void HintsOnClick();
    void Memo1KeyPress(char& key);

    AppState& State() { return state_; }
    Platform& GetPlatform() { return platform_; }

    ui::Control& Get(Ctl ctl) const { return controls_.Get(ctl); }
    ui::Button& ExitButton() const { return *bExit_; }

    // MainView
    std::string Text(Ctl ctl) const override;
    void SetText(Ctl ctl, const std::string& text) override;
    bool Enabled(Ctl ctl) const override;
    void SetEnabled(Ctl ctl, bool enabled) override;
    bool Checked(Ctl ctl) const override;

    // Prompts
    int ShowMessageDialog(const std::string& message, const std::string& caption,
                          const std::string& button1, const std::string& button2,
                          const std::string& button3, int icon,
                          unsigned char defaultButton) override;
    bool RunCompilerSelector(Version version, std::string& fileName) override;
    void SetSelectorInitialDir(Version version, const std::string& dir) override;
    bool BrowseForLibraryDir(std::string& path) override;
    void ShowErrorReport(const std::string& text) override;

private:
    void CreateControls();

    WindowPlatform platform_;
    AppState state_;
    Context ctx_{platform_, *this, *this, state_};

    ui::ControlTable<Ctl> controls_{"main window"};
    ui::Button* bExit_ = nullptr;
    CompilerSelectors selectors_;  // OD1, OD2, OD3
    std::unique_ptr<TBrowseDirectoryDlg> BD1_;
    std::unique_ptr<TBalloonHint> BH1_;  // every hint of the program as a balloon
};

}  // namespace quillet
