// The folder browser's status line: the shortened text fits the width it was
// given, or is the shortest form the rule allows (the name alone for a path,
// "..." for plain text); plain text keeps the longest prefix that fits.
#include <string>

#include "components/folder_browser.h"
#include "fuzz_check.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int limit = in.ConsumeIntegralInRange(-8, 2000);
    // A proportional font: every character a few pixels wide, some none.
    const int base = in.ConsumeIntegralInRange(0, 12);
    const TextWidthFn width = [base](const std::string& text) {
        int w = 0;
        for (unsigned char c : text) w += base + (c & 7);
        return w;
    };
    const bool asPath = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    if (asPath) {
        const std::string shortened = ShortenPathToFit(text, limit, width);
        const std::size_t split = text.find_last_of("\\/:");
        const std::string name = split == std::string::npos ? text : text.substr(split + 1);
        FUZZ_CHECK(width(shortened) <= limit || shortened == name);
        FUZZ_CHECK(shortened.size() >= name.size() &&
                   shortened.compare(shortened.size() - name.size(), name.size(), name) == 0);
        if (width(text) <= limit) FUZZ_CHECK(shortened == text);
        return 0;
    }
    const std::string shortened = ShortenTextToFit(text, limit, width);
    if (width(text) <= limit || text.empty()) {
        FUZZ_CHECK(shortened == text);
        return 0;
    }
    FUZZ_CHECK(width(shortened) <= limit || shortened == "...");
    const std::size_t kept = shortened.size() - 3;
    FUZZ_CHECK(shortened.size() >= 3 && shortened.compare(kept, 3, "...") == 0);
    FUZZ_CHECK(text.compare(0, kept, shortened, 0, kept) == 0);
    // One more character of the text would not have fitted.
    if (kept + 1 < text.size()) FUZZ_CHECK(width(text.substr(0, kept + 1) + "...") > limit);
    return 0;
}
