// The main window's controls as plain values: the flows fill and read them
// as they do the window's, with nothing shown.
#pragma once

#include <map>

#include "core/main_view.h"

namespace quillet::cli {

class MemoryView : public MainView {
public:
    std::string Text(Ctl ctl) const override { return Get(ctl).text; }
    void SetText(Ctl ctl, const std::string& text) override { controls_[ctl].text = text; }
    bool Enabled(Ctl ctl) const override { return Get(ctl).enabled; }
    void SetEnabled(Ctl ctl, bool enabled) override { controls_[ctl].enabled = enabled; }
    bool Checked(Ctl ctl) const override { return Get(ctl).checked; }
    void SetChecked(Ctl ctl, bool checked) { controls_[ctl].checked = checked; }

private:
    struct State {
        std::string text;
        bool enabled = true;
        bool checked = false;
    };
    State Get(Ctl ctl) const {
        auto it = controls_.find(ctl);
        return it == controls_.end() ? State{} : it->second;
    }
    std::map<Ctl, State> controls_;
};

}  // namespace quillet::cli
