// Typed characters in our forms. The system's dialog manager handles every
// other key of a form; a character's mnemonic is looked for here, with a
// search that ends wherever the character was typed (ui/mnemonics.h).
#pragma once

#include <windows.h>

namespace ui {

// Handles msg when it is a character (WM_CHAR, WM_SYSCHAR) for `dialog` or a
// window inside it, as the dialog manager would: a mnemonic presses its button
// or moves the focus on from its label, any other character goes to its
// window. False for any other message, which is left alone.
bool HandleDialogCharacter(HWND dialog, MSG& msg);

}  // namespace ui
