// The message dialog's layout for any measured text, font, window frame and DPI:
// the dialog has a positive size, its buttons lie inside the client area, the
// keyboard roles name buttons that exist, and centring over any owner keeps
// the dialog's corner on the screen.
#include <string>
#include <vector>

#include "dialogs/message_layout.h"
#include "fakes.h"
#include "fuzz_check.h"

using namespace quillet;
namespace fakes = quillet::testing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    // What GDI can answer: font heights of 16 bits, boxes within its 2^27
    // coordinate space; frames as wide as a thick border at a high DPI.
    constexpr int kMaxFont = 0xFFFF, kMaxCoord = 1 << 27;
    fakes::FakeMeasurer m;
    m.lineHeight = in.ConsumeIntegralInRange(0, kMaxFont);
    m.cellHeight = in.ConsumeIntegralInRange(0, kMaxFont);
    m.box = {in.ConsumeIntegralInRange(0, kMaxCoord), in.ConsumeIntegralInRange(0, kMaxCoord)};
    m.screenWidth = in.ConsumeIntegralInRange(0, kMaxCoord);
    m.screenHeight = in.ConsumeIntegralInRange(0, kMaxCoord);
    const base::Size frame{in.ConsumeIntegralInRange(0, 64), in.ConsumeIntegralInRange(0, 256)};
    const unsigned char defaultButton = in.ConsumeIntegral<unsigned char>();
    const base::Rect owner = base::RectAt(in.ConsumeIntegralInRange(-kMaxCoord, kMaxCoord),
                                          in.ConsumeIntegralInRange(-kMaxCoord, kMaxCoord),
                                          in.ConsumeIntegralInRange(0, kMaxCoord),
                                          in.ConsumeIntegralInRange(0, kMaxCoord));
    const int dpi = in.ConsumeIntegralInRange(96, 480);
    const std::string button2 = in.ConsumeRandomLengthString(8);
    const std::string button3 = in.ConsumeRandomLengthString(8);
    const std::string message = in.ConsumeRemainingBytesAsString();

    const MessageDialogLayout l =
        LayOutMessageDialog(message, button2, button3, defaultButton, m, frame, dpi);
    FUZZ_CHECK(l.outerWidth > 0 && l.outerHeight > 0 && l.clientWidth > 0 && l.clientHeight > 0);
    FUZZ_CHECK(l.buttonCount >= 1 && l.buttonCount <= 3);
    for (int i = 0; i < l.buttonCount; ++i) {
        const base::Rect& b = l.buttons[static_cast<std::size_t>(i)];
        FUZZ_CHECK(b.Width() > 0 && b.Height() > 0);
        FUZZ_CHECK(b.left >= 0 && b.left + b.Width() <= l.clientWidth);
        FUZZ_CHECK(b.top >= 0 && b.top + b.Height() <= l.clientHeight);
    }
    FUZZ_CHECK(static_cast<int>(l.tabOrder.size()) == l.buttonCount);
    FUZZ_CHECK(l.defaultButton >= 0 && l.defaultButton <= l.buttonCount);
    FUZZ_CHECK(l.cancelButton == l.buttonCount);

    // Placed on the screen, wholly where the screen can hold the dialog.
    const base::Point at =
        PlaceOverOwner(owner, l.outerWidth, l.outerHeight, m.screenWidth, m.screenHeight);
    FUZZ_CHECK(at.x >= 0 && at.y >= 0);
    if (l.outerWidth <= m.screenWidth) FUZZ_CHECK(at.x + l.outerWidth <= m.screenWidth);
    if (l.outerHeight <= m.screenHeight) FUZZ_CHECK(at.y + l.outerHeight <= m.screenHeight);
    return 0;
}
