// A form's controls by the identifiers its portable logic names them with,
// and what that logic asks of them. The form fills the table as it makes
// its controls.
#pragma once

#include <map>
#include <string>

#include "base/error.h"
#include "ui/controls.h"

namespace ui {

template <class Id>
class ControlTable {
public:
    // `owner` names the form in the error a missing control raises.
    explicit ControlTable(std::string owner) : owner_(std::move(owner)) {}

    template <class Kind>
    Kind& Add(Id id, Kind& control) {
        controls_[id] = &control;
        return control;
    }
    Control& Get(Id id) const {
        const auto it = controls_.find(id);
        if (it == controls_.end()) throw base::Error(owner_ + " has no such control");
        return *it->second;
    }

    std::string Text(Id id) const { return Get(id).Text(); }
    void SetText(Id id, const std::string& text) const { Get(id).SetText(text); }
    bool Enabled(Id id) const { return Get(id).Enabled(); }
    void SetEnabled(Id id, bool enabled) const { Get(id).SetEnabled(enabled); }
    void SetVisible(Id id, bool visible) const { Get(id).SetVisible(visible); }
    // A check box's or radio button's state; false for other kinds.
    bool Checked(Id id) const {
        const Control& c = Get(id);
        if (auto* radio = dynamic_cast<const RadioButton*>(&c)) return radio->Checked();
        if (auto* box = dynamic_cast<const CheckBox*>(&c)) return box->Checked();
        return false;
    }

private:
    std::string owner_;
    std::map<Id, Control*> controls_;
};

}  // namespace ui
