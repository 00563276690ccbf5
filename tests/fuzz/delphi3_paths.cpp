// Delphi 3's completion of the unit, include and object lists with the SLib
// and Bin directories of any registered IDE path. Each pass asks exactly when
// a list lacks its directory (and that can be an entry); after Add every list
// that lacked it holds it exactly once as an entry, and a list that held it,
// or an Ignore, leaves the lists unchanged.
#include <array>
#include <string>
#include <vector>

#include "config/builder.h"
#include "config/profiles.h"
#include "fakes.h"
#include "fuzz_check.h"

using namespace quillet;
namespace fakes = quillet::testing;

namespace {

using Lists = std::array<std::string, 3>;
constexpr Ctl kListFields[] = {Ctl::eUnit, Ctl::eInc, Ctl::eObject};

Lists ReadLists(const MainView& view) {
    return {view.Text(Ctl::eUnit), view.Text(Ctl::eInc), view.Text(Ctl::eObject)};
}

// The entry as a directory: ASCII letters in upper case, one trailing
// backslash dropped.
std::string DirKey(std::string entry) {
    if (!entry.empty() && entry.back() == '\\') entry.pop_back();
    return fakes::FakePlatform::Norm(entry);
}

int EntryCount(const std::string& list, const std::string& dir) {
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semi = list.find(';', start);
        if (DirKey(list.substr(start, semi - start)) == DirKey(dir)) ++count;
        if (semi == std::string::npos) return count;
        start = semi + 1;
    }
}

// Remembers the lists as they stand when each question is asked.
class RecordingPrompts : public fakes::FakePrompts {
public:
    explicit RecordingPrompts(const MainView& view) : view_(view) {}
    int ShowMessageDialog(const std::string& message, const std::string& caption,
                          const std::string& button1, const std::string& button2,
                          const std::string& button3, int icon,
                          unsigned char defaultButton) override {
        listsAsked.push_back(ReadLists(view_));
        return FakePrompts::ShowMessageDialog(message, caption, button1, button2, button3, icon,
                                              defaultButton);
    }
    std::vector<Lists> listsAsked;

private:
    const MainView& view_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fakes::FakePlatform platform;
    fakes::FakeView view;
    RecordingPrompts prompts(view);
    AppState state;
    Context ctx{platform, prompts, view, state};

    const std::string idePath = in.ConsumeRandomLengthString();
    const RegValueRef& ide = ProfileOf(Version::D3).idePath;
    platform.AddRegValue(ide.root, ide.key, ide.value, idePath);
    Lists before;
    for (std::size_t i = 0; i < before.size(); ++i) {
        before[i] = in.ConsumeRandomLengthString();
        view.SetText(kListFields[i], before[i]);
    }
    const bool add[2] = {in.ConsumeBool(), in.ConsumeBool()};
    prompts.Answer(add[0] ? 1 : 2).Answer(add[1] ? 1 : 2);

    CheckDelphi3Paths(ctx);

    const std::string dirs[2] = {SLibDirFromIdePath(idePath), BinDirFromIdePath(idePath)};
    const char* captions[2] = {"SLib directory not in path list", "Bin directory not in path list"};
    std::size_t question = 0;
    for (int pass = 0; pass < 2; ++pass) {
        // A directory with ";" in its name cannot be an entry, and is not offered.
        bool lacking = false;
        for (const std::string& list : before) lacking = lacking || EntryCount(list, dirs[pass]) == 0;
        lacking = lacking && dirs[pass].find(';') == std::string::npos;
        const bool asked =
            question < prompts.prompts.size() && prompts.prompts[question].caption == captions[pass];
        FUZZ_CHECK(asked == lacking);
        if (asked) ++question;
        // The lists as this pass left them: as the next question saw them, or as they end.
        const Lists after =
            question < prompts.listsAsked.size() ? prompts.listsAsked[question] : ReadLists(view);
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (asked && add[question - 1] && EntryCount(before[i], dirs[pass]) == 0) {
                FUZZ_CHECK(EntryCount(after[i], dirs[pass]) == 1);
            } else {
                FUZZ_CHECK(after[i] == before[i]);
            }
        }
        before = after;
    }
    FUZZ_CHECK(question == prompts.prompts.size());
    return 0;
}
