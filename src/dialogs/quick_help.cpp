#include "dialogs/quick_help.h"

#include <vector>

#include "core/paths.h"
#include "core/settings.h"
#include "core/text.h"

namespace quillet {

QuickHelp::QuickHelp(QuickHelpView& view, QuickHelpHost& host, Platform& platform, AppState& state)
    : view_(view), host_(host), platform_(platform), state_(state) {}

void QuickHelp::FormCreate() {
    state_.quickHelpCreated = false;
    host_.SetShowHints(false);
    view_.PlaceOverMainWindow();
    LoadText();
    view_.SetCaption(host_.Title() + " quick help");
    CheckAsClick(HelpCtl::cCloseOnEsc, host_.ExitIsCancel(), &QuickHelp::cCloseOnEscClick);
    CheckAsClick(HelpCtl::cNag, !state_.extraMessages, &QuickHelp::cNagClick);

    const Settings settings(platform_, state_.iniFileName);
    const std::string title = settings.CustomTitleText().substr(0, kMaxTitleLength);
    if (!title.empty() && title != view_.Text(HelpCtl::eAppTitle)) {
        view_.SetText(HelpCtl::eAppTitle, title);
        eAppTitleChange();
    }
    CheckAsClick(HelpCtl::cAppTitle, settings.UseCustomTitle(), &QuickHelp::cAppTitleClick);
    view_.SetEnabled(HelpCtl::eAppTitle, view_.Checked(HelpCtl::cAppTitle));
    view_.SetEnabled(HelpCtl::bAppTitle, false);
    state_.quickHelpCreated = true;
}

void QuickHelp::LoadText() {
    const std::string exe = platform_.ExePath();
    const std::string file = ExtractFilePath(exe) + kQuickHelpFile;
    std::string missing;
    if (platform_.FileExists(file)) {
        std::string bytes;
        if (platform_.ReadTextFile(file, bytes)) {
            view_.SetText(HelpCtl::Memo1, JoinLines(SplitLines(bytes)));
            return;
        }
        // The dialog is made whole all the same: a text box that says what
        // went wrong and option boxes that show the real state.
        host_.ShowErrorReport("Cannot open file " + file);
        missing = file + " could not be read from " + ExtractFileName(exe) +
                  "'s directory. Unable to load quick help.";
    } else {
        missing = file + " could not be found in " + ExtractFileName(exe) +
                  "'s directory. Unable to load quick help.";
    }
    std::vector<std::string> lines = SplitLines(view_.Text(HelpCtl::Memo1));
    lines.push_back(missing);
    view_.SetText(HelpCtl::Memo1, JoinLines(lines));
}

void QuickHelp::CheckAsClick(HelpCtl box, bool checked, void (QuickHelp::*handler)()) {
    if (view_.Checked(box) == checked) return;
    view_.SetChecked(box, checked);
    (this->*handler)();
}

void QuickHelp::Store(const char* key, const std::string& value) {
    Settings(platform_, state_).WriteText(kSectionOptions, key, value);
}

void QuickHelp::bOKClick() {
    host_.SetShowHints(false);
    view_.Close();
}

void QuickHelp::bOptionsClick() { ShowOptionsPanel(true); }

void QuickHelp::Button3Click() { ShowOptionsPanel(false); }

void QuickHelp::ShowOptionsPanel(bool show) {
    view_.SetVisible(HelpCtl::pOptions, show);
    view_.SetEnabled(HelpCtl::bOptions, !show);
    view_.SetEnabled(HelpCtl::bOK, !show);
    view_.SetEnabled(HelpCtl::Memo1, !show);
}

void QuickHelp::Memo1KeyPress(char& key) {
    if (key == 27) view_.Close();
}

void QuickHelp::cCloseOnEscClick() {
    const bool checked = view_.Checked(HelpCtl::cCloseOnEsc);
    host_.SetExitIsCancel(checked);
    Store(kKeyCloseOnEscape, checked ? "1" : "0");
}

void QuickHelp::cNagClick() {
    if (!state_.quickHelpCreated) return;
    const bool checked = view_.Checked(HelpCtl::cNag);
    state_.extraMessages = !checked;
    Store(kKeyExtraMessages, checked ? "0" : "1");
}

void QuickHelp::cAppTitleClick() {
    if (!state_.quickHelpCreated) return;
    const bool checked = view_.Checked(HelpCtl::cAppTitle);
    view_.SetEnabled(HelpCtl::eAppTitle, checked);
    if (!checked) {
        host_.SetTitle(kDefaultTitle);
        view_.SetCaption(kDefaultTitle);
    }
    Store(kKeyUseCustomTitle, checked ? "1" : "0");
}

void QuickHelp::eAppTitleChange() { view_.SetEnabled(HelpCtl::bAppTitle, true); }

void QuickHelp::bAppTitleClick() {
    const std::string title = view_.Text(HelpCtl::eAppTitle).substr(0, kMaxTitleLength);
    Store(kKeyCustomTitleText, title);
    host_.SetTitle(title);
    view_.SetCaption(title);
    view_.SetEnabled(HelpCtl::bAppTitle, false);
}

QuickHelpValues::Value& QuickHelpValues::At(HelpCtl ctl) { return values_[ctl]; }

const QuickHelpValues::Value* QuickHelpValues::Find(HelpCtl ctl) const {
    auto it = values_.find(ctl);
    return it == values_.end() ? nullptr : &it->second;
}

std::string QuickHelpValues::Text(HelpCtl ctl) const {
    const Value* v = Find(ctl);
    return v ? v->text : std::string();
}

void QuickHelpValues::SetText(HelpCtl ctl, const std::string& text) { At(ctl).text = text; }

bool QuickHelpValues::Checked(HelpCtl ctl) const {
    const Value* v = Find(ctl);
    return v && v->checked;
}

void QuickHelpValues::SetChecked(HelpCtl ctl, bool checked) { At(ctl).checked = checked; }

bool QuickHelpValues::Enabled(HelpCtl ctl) const {
    const Value* v = Find(ctl);
    return !v || v->enabled;
}

void QuickHelpValues::SetEnabled(HelpCtl ctl, bool enabled) { At(ctl).enabled = enabled; }

void DesignQuickHelpCaption(TLabelEffect& label) {
    label.SetCaption("Quick help");
    label.SetColourHighlight(base::clAqua);
    label.SetColourShadow(base::clNavy);
    label.SetGraduateFrom(base::clWindowText);
    label.SetColourScheme(csSteel);
    label.SetAngle(90);
    label.SetFont(base::MakeFont("Arial", -35, base::fsBold | base::fsItalic, base::clTeal));
}

}  // namespace quillet
