// What comes with a mouse event: the button, and the keys and buttons held
// during it. The toolkit reads them from the messages; the components' rules
// take them as they are.
#pragma once

#include <cstdint>

namespace base {

enum MouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// A set of these bits; ssDouble marks the second press of a double click.
enum ShiftState : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64,
};

}  // namespace base
