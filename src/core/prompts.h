// Everything that asks the user something: the message dialog, the compiler
// file selectors, the folder browser, and the application's general error
// report. The unit tests' fake records every call and answers from a script.
#pragma once

#include <string>

#include "core/compiler_version.h"

namespace quillet {

// Icon codes of the message dialog: the system's message-box icons.
enum MessageIcon : int {
    kIconNone = 0,       // confirmations
    kIconHand = 16,
    kIconQuestion = 32,  // questions
    kIconWarning = 48,   // errors and warnings
    kIconAsterisk = 64,
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // The program's message dialog over the main window. Returns the number of
    // the button pressed (1..3); Escape gives the last button, closing the
    // dialog's window gives 2.
    virtual int ShowMessageDialog(const std::string& message, const std::string& caption,
                                  const std::string& button1, const std::string& button2,
                                  const std::string& button3, int icon,
                                  unsigned char defaultButton) = 0;

    // The open-file selector of a version (OD1, OD2, OD3). Returns true when
    // the user confirmed; `fileName` is then the chosen full file name.
    virtual bool RunCompilerSelector(Version version, std::string& fileName) = 0;
    // Sets the folder a selector opens in; it keeps it between openings.
    virtual void SetSelectorInitialDir(Version version, const std::string& dir) = 0;

    // The folder browser BD1. Returns true when a folder was chosen; `path` is
    // then its Selection.
    virtual bool BrowseForLibraryDir(std::string& path) = 0;

    // The application's general error report for run-time errors that a
    // handler does not check: a message box with the error's text.
    virtual void ShowErrorReport(const std::string& text) = 0;
};

}  // namespace quillet
