// The main window as the portable logic sees it: its controls by name. The
// controls hold the configuration state; there is no separate model.
#pragma once

#include <string>

#include "core/compiler_version.h"

namespace quillet {

enum class Ctl {
    // labels
    Label1, lExepath, lUnit, lInc, lObject, lAlias, Label3,
    // controls, in tab order
    rD1, rD2, rD3, eExepath, cBatfile, cShortcut, eUnit, eInc, eObject, eAlias,
    HintsOn, bUpdate, bCreate, bSave, bHelp, bExit, Memo1,
};

class MainView {
public:
    virtual ~MainView() = default;
    // Text of an edit or memo, caption of anything else. Memo1's text holds
    // its lines separated by CR LF.
    virtual std::string Text(Ctl ctl) const = 0;
    virtual void SetText(Ctl ctl, const std::string& text) = 0;
    virtual bool Enabled(Ctl ctl) const = 0;
    virtual void SetEnabled(Ctl ctl, bool enabled) = 0;
    virtual bool Checked(Ctl ctl) const = 0;
};

// The version whose radio button is checked, tested one button at a time.
inline Version ChosenVersion(const MainView& view) {
    if (view.Checked(Ctl::rD1)) return Version::D1;
    if (view.Checked(Ctl::rD2)) return Version::D2;
    if (view.Checked(Ctl::rD3)) return Version::D3;
    return Version::None;
}

}  // namespace quillet
