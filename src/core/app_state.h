// The few process-wide values that several handlers share, and the bundle of
// seams every handler of the main window works through.
#pragma once

#include <string>

#include "core/main_view.h"
#include "core/platform.h"
#include "core/prompts.h"
#include "core/save_job.h"

namespace quillet {

struct AppState {
    std::string iniFileName;     // the settings file: beside the program, or userIniFileName
    std::string userIniFileName; // where the settings go when the program's folder refuses writes
    bool extraMessages = true;   // confirm successful operations
    bool fieldsFilled = false;   // a version switch filled the fields since the last Save
    std::string cfgName;         // "DCC.CFG" or "DCC32.CFG", for messages
    std::string stubName;        // launcher stub of the last Save; kept when no version is chosen
    bool quickHelpCreated = false;  // off while a quick-help dialog is being created

    // Saving where Windows refuses the program's own writes. Only the window
    // offers to go on as administrator; quilletc reports the refusal.
    bool offersElevation = false;
    bool elevationAsked = false;      // asked once in a Save
    std::optional<SaveJob> job;       // a Save going on as administrator: what it is to write
    bool writeRefused = false;        // a write was refused with access denied
};

struct Context {
    Platform& platform;
    Prompts& prompts;
    MainView& view;
    AppState& state;
};

}  // namespace quillet
