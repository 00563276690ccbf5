// The program's message dialog: every question, warning and confirmation.
#pragma once

#include <string>

namespace ui {
class Form;
}

namespace quillet {

// Shows a modal dialog of window class "TMessageDialog" centred over `Owner`,
// in Owner's font, with the message, an icon chosen by `Icon` (16 stop,
// 32 question, 48 exclamation, 64 information, 128/256/512 other system
// pictures, any other N icon N of the program's file, else the application's
// icon) and one to three buttons (Button2 empty: one button; Button3 only
// beside a Button2). `DefaultButton` 1..3 names the button Enter presses and
// that takes the focus first; 0 or a missing button means none.
//
// Returns the number of the button pressed; Escape presses the last button;
// closing the window (close box, system menu, Alt+F4) or the application
// ending while it is shown gives 2. A null owner centres the dialog on the
// screen in the default dialog font.
int ShowMessageDialog(const std::string& message, const std::string& caption,
                      const std::string& button1, const std::string& button2,
                      const std::string& button3, int icon, unsigned char defaultButton,
                      ui::Form* owner);

}  // namespace quillet
