// TQuickHelp: the quick-help window. "readme.txt" from the program's
// directory in a read-only text box beside a large rotated 3-D caption, and
// an options panel whose three interface options take effect at once and
// are stored in the settings file. What its creation and its handlers do is
// QuickHelp (quick_help.h); this is the window with its controls.
#pragma once

#include <windows.h>

#include <memory>

#include "components/label_effect_win32.h"
#include "core/app_state.h"
#include "core/platform.h"
#include "dialogs/quick_help.h"
#include "ui/controls.h"
#include "ui/control_table.h"
#include "ui/form.h"

namespace quillet {

// What a quick-help window works with.
struct QuickHelpSetup {
    ui::Form& mainForm;
    ui::Button& exitButton;  // Escape presses it while close-on-Escape is on
    Platform& platform;
    AppState& state;
};

class TQuickHelp final : public ui::Form {
public:
    explicit TQuickHelp(const QuickHelpSetup& setup);
    ~TQuickHelp() override;
    // Makes the window, hidden, over the main window and runs its creation.
    void Create();

    QuickHelp& Handlers() { return handlers_; }
    ui::Control& Get(HelpCtl ctl) const { return controls_.Get(ctl); }

private:
    class View;

    void CreateControls();
    // Gives the focus to a control, as Tab would.
    void FocusOn(HelpCtl ctl);

    QuickHelpSetup setup_;
    std::unique_ptr<View> view_;
    std::unique_ptr<QuickHelpHost> host_;
    QuickHelp handlers_;
    ui::ControlTable<HelpCtl> controls_{"quick-help window"};
};

// The quick-help dialog made once at start-up and never shown. Its creation
// runs whole (the hints go off, the title options are read, close-on-Escape
// is stored again) against the dialog's controls kept as plain values: the
// windows of a dialog nobody sees would only slow the start.
class HiddenQuickHelp {
public:
    explicit HiddenQuickHelp(const QuickHelpSetup& setup);
    ~HiddenQuickHelp();
    HiddenQuickHelp(const HiddenQuickHelp&) = delete;
    HiddenQuickHelp& operator=(const HiddenQuickHelp&) = delete;

    const QuickHelpValues& Controls() const { return values_; }

private:
    QuickHelpValues values_;
    std::unique_ptr<QuickHelpHost> host_;
    QuickHelp handlers_;
};

// "&Help": a fresh quick-help window over the main window, shown modally and
// destroyed when it closes.
void ShowQuickHelp(const QuickHelpSetup& setup);

}  // namespace quillet
