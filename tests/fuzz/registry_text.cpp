// Reading a registry string over a fake value of any type and size, with or
// without a terminating zero, that another process rewrites between calls:
// nothing is read past the value's end (the buffer beyond it holds junk), the
// text is the value's up to its first zero, and a value that keeps changing
// ends the reading.
#include <string>

#include "core/registry_text.h"
#include "fakes.h"
#include "fuzz_check.h"

using namespace quillet;
namespace fakes = quillet::testing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakes::FakeRegValue value;
    value.versions.resize(in.ConsumeIntegralInRange(1, 4));
    for (fakes::FakeRegValue::Version& v : value.versions) {
        v.isText = in.ConsumeIntegralInRange(0, 3) != 0;
        v.fails = in.ConsumeIntegralInRange(0, 15) == 0;
        v.bytes = in.ConsumeRandomLengthString(64);
        if (in.ConsumeBool()) v.sizeAnswer = in.ConsumeIntegral<std::uint32_t>();
    }

    const std::string text = ReadRegistryText(value.Query());
    FUZZ_CHECK(text == (value.lastWasRead ? value.lastText : std::string()));
    FUZZ_CHECK(value.calls <= 9);
    return 0;
}
