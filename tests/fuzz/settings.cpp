// The settings rules: the integer read over any text (every value the program
// writes reads back unchanged), and the position rule over the whole 32-bit
// range of stored values, screen and window sizes, without overflow.
#include <climits>
#include <string>

#include "core/settings.h"
#include "core/text.h"
#include "fakes.h"
#include "fuzz_check.h"

using namespace quillet;
namespace fakes = quillet::testing;

namespace {

// The position rule keeps the window on the screen whenever the screen can
// hold it at its designed position.
void CheckPosition(int stored, int screen, int window, int designed) {
    const int at = PositionCoordinate(stored, screen, window, designed);
    const long long fitsFrom = 0, fitsTo = static_cast<long long>(screen) - window;
    if (window >= 0 && designed >= fitsFrom && designed <= fitsTo) {
        FUZZ_CHECK(at >= fitsFrom && at <= fitsTo);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int written = in.ConsumeIntegral<int>();
    FUZZ_CHECK(ParseProfileInt(IntToStr(written), 0) == written);

    const int screenWidth = in.ConsumeIntegral<int>(), screenHeight = in.ConsumeIntegral<int>();
    const int windowWidth = in.ConsumeIntegral<int>(), windowHeight = in.ConsumeIntegral<int>();
    CheckPosition(written, screenWidth, windowWidth, 142);
    CheckPosition(in.ConsumeIntegral<int>(), screenHeight, windowHeight,
                  in.ConsumeIntegral<int>());

    // The stored texts as any hand or program may have left them.
    fakes::FakePlatform platform;
    Settings settings(platform, "quillet.ini");
    platform.SetProfile("quillet.ini", kSectionWindowPositions, kKeyLeft,
                        in.ConsumeRandomLengthString());
    platform.SetProfile("quillet.ini", kSectionWindowPositions, kKeyTop,
                        in.ConsumeRemainingBytesAsString());
    CheckPosition(settings.Left(), screenWidth, windowWidth, 142);
    CheckPosition(settings.Top(), screenHeight, windowHeight, 19);
    return 0;
}
