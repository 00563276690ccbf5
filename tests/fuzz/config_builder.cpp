// Create for each version, from four field texts and a compiler path: every
// line of the configuration ends in CR LF, there are as many lines as the
// version's format has, and each field's text stands unchanged in its line
// (less line breaks, which would otherwise split it).
#include <string>
#include <vector>

#include "app/flows.h"
#include "config/profiles.h"
#include "fakes.h"
#include "fuzz_check.h"

using namespace quillet;
namespace fakes = quillet::testing;

namespace {

// The text cut at CR LF; each piece must be free of line breaks.
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
        FUZZ_CHECK(lines.back().find_first_of("\r\n") == std::string::npos);
    }
    FUZZ_CHECK(start == text.size());  // the last line ends in CR LF too
    return lines;
}

// A field's text as its line must hold it: unchanged but for line breaks,
// which no option line can hold.
std::string Field(const MainView& view, Ctl field) {
    std::string text = view.Text(field);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakes::Harness h;
    const Version version =
        in.PickValueInArray({Version::None, Version::D1, Version::D2, Version::D3});
    h.view.Choose(version);
    h.state.extraMessages = false;
    const std::string compiler = in.ConsumeRandomLengthString();
    h.view.SetText(Ctl::eExepath, compiler);
    h.platform.AddFile(compiler);
    for (Ctl field : {Ctl::eUnit, Ctl::eInc, Ctl::eObject, Ctl::eAlias}) {
        h.view.SetText(field, in.ConsumeRandomLengthString());
    }
    h.platform.AddDir(h.view.Text(Ctl::eObject));
    // Delphi 3's questions: Add or Ignore.
    h.prompts.Answer(in.ConsumeBool() ? 1 : 2).Answer(in.ConsumeBool() ? 1 : 2);

    bCreateClick(h.ctx);
    if (!h.view.Enabled(Ctl::bSave)) return 0;  // stopped by a check (empty list)

    const std::vector<std::string> lines = CrLfLines(h.view.Text(Ctl::Memo1));
    const std::string unit = Field(h.view, Ctl::eUnit), inc = Field(h.view, Ctl::eInc),
                      object = Field(h.view, Ctl::eObject), alias = Field(h.view, Ctl::eAlias);
    if (version == Version::D1) {
        FUZZ_CHECK(lines.size() == 5);
        FUZZ_CHECK(lines[0] == "/m" && lines[1] == "/cw");
        FUZZ_CHECK(lines[2] == "/r" + object);
        FUZZ_CHECK(lines[3] == "/i" + inc);
        FUZZ_CHECK(lines[4] == "/u" + unit);
    } else {
        FUZZ_CHECK(lines.size() == 4);
        FUZZ_CHECK(lines[0] == "-a" + alias);
        FUZZ_CHECK(lines[1] == "-u\"" + unit + "\"");
        FUZZ_CHECK(lines[2] == "-i\"" + inc + "\"");
        FUZZ_CHECK(lines[3] == "-o\"" + object + "\"");
    }
    return 0;
}
