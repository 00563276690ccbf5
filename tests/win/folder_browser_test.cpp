#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "components/folder_browser_win32.h"

namespace quillet {
namespace {

// Acts on the open shell dialog from a timer: each step at the first tick at
// which its condition holds, if it has one (else the test fails and the dialog
// is cancelled after kPatienceMs). The last step of every script closes it.
class Script {
public:
    using Action = std::function<void(HWND dialog)>;
    struct Step {
        template <class A> Step(A a) : act(std::move(a)) {}
        template <class C, class A> Step(C c, A a) : ready(std::move(c)), act(std::move(a)) {}
        std::function<bool()> ready;  // none: at once
        Action act;
    };

    explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {}
    void Start(HWND dialog) {
        current_ = this;
        since_ = GetTickCount();
        SetTimer(dialog, kTimerId, 20, Tick);
    }
    size_t Done() const { return next_; }

private:
    static constexpr UINT_PTR kTimerId = 0x4834;
    static constexpr DWORD kPatienceMs = 10000;
    static void CALLBACK Tick(HWND dialog, UINT, UINT_PTR id, DWORD) {
        Script* s = current_;
        if (!s || s->next_ >= s->steps_.size()) {
            KillTimer(dialog, id);
            return;
        }
        const Step& step = s->steps_[s->next_];
        if (step.ready && !step.ready()) {
            if (GetTickCount() - s->since_ < kPatienceMs) return;
            ADD_FAILURE() << "step " << s->next_ + 1 << " waited " << kPatienceMs << " ms";
            KillTimer(dialog, id);
            return (void)PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        ++s->next_;
        s->since_ = GetTickCount();
        step.act(dialog);
    }
    static inline Script* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD since_ = 0;
};

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string TextOf(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

BOOL CALLBACK FindStatusLine(HWND child, LPARAM out) {
    if (GetWindowLongA(child, GWL_ID) == 14147) {
        *reinterpret_cast<HWND*>(out) = child;
        return FALSE;
    }
    return TRUE;
}

HWND StatusLine(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(dialog, FindStatusLine, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Width of `text` in the status line's font, and the line's width.
struct LineMeasure {
    HWND line;
    int Width(const std::string& text) const {
        HDC dc = GetDC(line);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(line, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(line, dc);
        return size.cx;
    }
    int Limit() const {
        RECT r{};
        GetWindowRect(line, &r);
        return r.right - r.left;
    }
};

class BrowseDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        base = std::string(temp) + "h4browse" + std::to_string(GetCurrentProcessId());
        alpha = base + "\\Alpha";
        beta = base + "\\Beta";
        deep = base + "\\A rather long directory name\\Another long directory name\\Deepest";
        const std::string folders[] = {base, alpha, beta, base + "\\A rather long directory name",
                                       base + "\\A rather long directory name\\Another long directory name",
                                       deep};
        for (const std::string& d : folders) CreateDirectoryA(d.c_str(), nullptr);
        file = base + "\\file.txt";
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
        // Wine's tree may stop matching a folder made moments before (its item
        // lists carry the folder's times, which the first reading after a
        // change moves): each new or changed folder is read once now, so that
        // nothing about it changes while a dialog shows it.
        ReadFolder(temp);
        for (const std::string& d : folders) ReadFolder(d);
    }
    static void ReadFolder(const std::string& folder) {
        WIN32_FIND_DATAA found;
        const std::string pattern = folder + (folder.ends_with('\\') ? "*" : "\\*");
        const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << folder;
        while (FindNextFileA(search, &found)) {}
        FindClose(search);
    }
    void TearDown() override {
        DeleteFileA(file.c_str());
        for (const std::string& d :
             {deep, base + "\\A rather long directory name\\Another long directory name",
              base + "\\A rather long directory name", alpha, beta, base}) {
            RemoveDirectoryA(d.c_str());
        }
        CoUninitialize();
    }

    std::string base, alpha, beta, deep, file;
};

TEST_F(BrowseDirectoryTest, DefaultsOfANewComponent) {
    TBrowseDirectoryDlg d;
    EXPECT_EQ(d.Selection(), "");
    EXPECT_EQ(d.Title(), "");
    EXPECT_EQ(d.Root(), idDesktop);
    EXPECT_TRUE(d.Options().Empty());
    EXPECT_TRUE(d.Center());
    EXPECT_EQ(d.StatusText(), "");
    EXPECT_TRUE(d.FitStatusText());
    EXPECT_TRUE(d.EnableOKButton());
    EXPECT_EQ(d.ImageIndex(), -1);
    EXPECT_EQ(d.Caption(), "");
    EXPECT_FALSE(d.ShowSelectionInStatus());
    EXPECT_FALSE(d.OnSelChanged);
    EXPECT_FALSE(d.OnCreate);
    EXPECT_EQ(d.DialogWindow(), nullptr);
}

TEST_F(BrowseDirectoryTest, CancelGivesFalseAndEmptySelection) {
    TBrowseDirectoryDlg d;
    int created = 0;
    HWND seen = nullptr;
    Script script({[](HWND dlg) { Press(dlg, IDCANCEL); }});
    d.OnCreate = [&](TBrowseDirectoryDlg* sender) {
        ++created;
        EXPECT_EQ(sender, &d);
        seen = sender->DialogWindow();
        ASSERT_NE(seen, nullptr);
        // Centred on the screen.
        RECT r{};
        GetWindowRect(seen, &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
        script.Start(seen);
    };
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(created, 1);
    EXPECT_EQ(script.Done(), 1u);
    EXPECT_EQ(d.Selection(), "");
    EXPECT_EQ(d.ImageIndex(), -1);
    EXPECT_EQ(d.DialogWindow(), nullptr);
    EXPECT_FALSE(IsWindow(seen));
}

TEST_F(BrowseDirectoryTest, OkWithAPreselectedDirectory) {
    TBrowseDirectoryDlg d;
    d.SetTitle("Pick the library directory");
    d.SetSelection(alpha);
    EXPECT_EQ(d.Selection(), alpha + "\\");  // an existing directory gains its backslash
    std::vector<std::string> changes;
    d.OnSelChanged = [&](TBrowseDirectoryDlg* sender, const std::string& path, LPCITEMIDLIST item) {
        EXPECT_EQ(sender, &d);
        EXPECT_NE(item, nullptr);
        changes.push_back(path);
    };
    // The preselection (sent without its trailing backslash) is selected.
    auto selected = [&] { return !changes.empty() && changes.back() == alpha; };
    Script script({Script::Step(selected, [](HWND dlg) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDOK)));
        Press(dlg, IDOK);
    })});
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };

    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.Selection(), alpha);  // the chosen path, stored as the shell gives it
    SHFILEINFOA icon{};
    SHGetFileInfoA(alpha.c_str(), 0, &icon, sizeof icon, SHGFI_SYSICONINDEX);
    EXPECT_GE(d.ImageIndex(), 0);
    EXPECT_EQ(d.ImageIndex(), icon.iIcon);
    const int image = d.ImageIndex();

    // The held item list preselects the next run when Selection is empty.
    d.SetSelection("");
    changes.clear();
    Script again({Script::Step(selected, [](HWND dlg) { Press(dlg, IDOK); })});
    d.OnCreate = [&](TBrowseDirectoryDlg* s) {
        EXPECT_EQ(s->Selection(), alpha);  // taken from the held item list
        again.Start(s->DialogWindow());
    };
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.Selection(), alpha);

    // Cancel empties Selection but keeps the last image index.
    Script cancel({[](HWND dlg) { Press(dlg, IDCANCEL); }});
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { cancel.Start(s->DialogWindow()); };
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.Selection(), "");
    EXPECT_EQ(d.ImageIndex(), image);
}

TEST_F(BrowseDirectoryTest, SelectionSetterWhileOpen) {
    TBrowseDirectoryDlg d;
    d.SetSelection(alpha);
    int changes = 0;
    std::string last;
    d.OnSelChanged = [&](TBrowseDirectoryDlg*, const std::string& path, LPCITEMIDLIST) {
        ++changes;
        last = path;
    };
    int before = 0;
    Script script({
        {[&] { return last == alpha; }, [&](HWND) {
            d.SetSelection(beta + "\\");  // a directory with its backslash: sent without
        }},
        // The tree reports the new selection when it gets round to it.
        {[&] { return last == beta; }, [&](HWND) {
            before = changes;
            d.SetSelection(beta + "\\");  // the same text again does nothing
            EXPECT_EQ(changes, before);
        }},
        [](HWND dlg) { Press(dlg, IDOK); },
    });
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.Selection(), beta);
}

// A shell that ignores the first selection asked of it and reports none, as
// Wine's first dialog of a process does for folders below the user's profile.
struct IgnoresFirstSelection : TBrowseDirectoryDlg {
    int asked = 0;
    void DoInitialized(HWND dialog) override {
        SetWindowSubclass(dialog, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
        TBrowseDirectoryDlg::DoInitialized(dialog);
    }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR self) {
        if (m == BFFM_SETSELECTIONA && reinterpret_cast<IgnoresFirstSelection*>(self)->asked++ == 0) return 0;
        if (m == WM_NCDESTROY) RemoveWindowSubclass(h, Proc, id);
        return DefSubclassProc(h, m, w, l);
    }
};

TEST_F(BrowseDirectoryTest, PreselectionHeldWhenTheShellIgnoresIt) {
    IgnoresFirstSelection d;
    d.SetSelection(alpha);
    std::string last;
    d.OnSelChanged = [&](TBrowseDirectoryDlg*, const std::string& path, LPCITEMIDLIST) { last = path; };
    Script script({Script::Step([&] { return last == alpha; }, [](HWND dlg) { Press(dlg, IDOK); })});
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    ASSERT_TRUE(d.Execute());
    EXPECT_GE(d.asked, 2);  // asked again
    EXPECT_EQ(d.Selection(), alpha);
}

TEST_F(BrowseDirectoryTest, SelectionSetterTrailingBackslashRule) {
    TBrowseDirectoryDlg d;
    struct Case { std::string in, stored; };
    const std::string missing = base + "\\Missing";
    const Case cases[] = {
        {alpha, alpha + "\\"},
        {alpha + "\\", alpha + "\\"},
        {missing, missing},            // does not exist: unchanged
        {file, file},                  // a file is no directory
        {"C:\\", "C:\\"},
        {base + "\\A*", base + "\\A*"},  // a pattern names no directory
    };
    for (const Case& c : cases) {
        d.SetSelection(c.in);
        EXPECT_EQ(d.Selection(), c.stored) << c.in;
    }
}

TEST_F(BrowseDirectoryTest, DirectoryTest) {
    char absent = 0;
    const DWORD drives = GetLogicalDrives();
    for (char c = 'Y'; c >= 'D'; --c) {
        if (!(drives >> (c - 'A') & 1)) { absent = c; break; }
    }
    ASSERT_NE(absent, 0);
    EXPECT_TRUE(TBrowseDirectoryDlg::IsDirectory(alpha));
    EXPECT_TRUE(TBrowseDirectoryDlg::IsDirectory(alpha + "\\"));
    EXPECT_TRUE(TBrowseDirectoryDlg::IsDirectory("C:\\"));
    EXPECT_TRUE(TBrowseDirectoryDlg::IsDirectory("c:\\"));
    EXPECT_FALSE(TBrowseDirectoryDlg::IsDirectory(std::string(1, absent) + ":\\"));
    EXPECT_FALSE(TBrowseDirectoryDlg::IsDirectory(file));
    EXPECT_FALSE(TBrowseDirectoryDlg::IsDirectory(base + "\\Missing"));
    EXPECT_FALSE(TBrowseDirectoryDlg::IsDirectory(base + "\\*"));
    EXPECT_FALSE(TBrowseDirectoryDlg::IsDirectory(""));
}

TEST_F(BrowseDirectoryTest, StatusTextFittedAndNot) {
    const std::string sentence =
        "Choose the directory that holds the Delphi 1 run-time library units, "
        "usually the LIB directory below the Delphi installation, then press OK";
    TBrowseDirectoryDlg d;
    d.SetStatusText(sentence);
    std::string fitted, whole;
    Script script({
        [&](HWND dlg) {
            HWND line = StatusLine(dlg);
            ASSERT_NE(line, nullptr);
            EXPECT_TRUE(IsWindowVisible(line));
            const LineMeasure m{line};
            ASSERT_GT(m.Width(sentence), m.Limit());  // the case is real
            fitted = TextOf(line);
            ASSERT_GE(fitted.size(), 4u);
            ASSERT_EQ(fitted.substr(fitted.size() - 3), "...");
            const std::string prefix = fitted.substr(0, fitted.size() - 3);
            EXPECT_EQ(sentence.compare(0, prefix.size(), prefix), 0);
            // The longest prefix that fits.
            EXPECT_LE(m.Width(fitted), m.Limit());
            EXPECT_GT(m.Width(sentence.substr(0, prefix.size() + 1) + "..."), m.Limit());
            d.SetFitStatusText(false);
            whole = TextOf(line);
        },
        [](HWND dlg) { Press(dlg, IDCANCEL); },
    });
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    d.Execute();
    EXPECT_EQ(script.Done(), 2u);
    EXPECT_EQ(whole, sentence);
    EXPECT_EQ(d.StatusText(), sentence);
}

TEST_F(BrowseDirectoryTest, StatusTextShortenedAsAPath) {
    TBrowseDirectoryDlg d;
    d.SetStatusText(deep);
    std::string shown;
    int limit = 0, width = 0, full = 0;
    Script script({
        [&](HWND dlg) {
            HWND line = StatusLine(dlg);
            ASSERT_NE(line, nullptr);
            const LineMeasure m{line};
            // Make the line too narrow for the whole path, then send the text again.
            RECT r{};
            GetWindowRect(line, &r);
            SetWindowPos(line, nullptr, 0, 0, m.Width(deep) * 2 / 3, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER);
            d.SetFitStatusText(false);
            d.SetFitStatusText(true);
            shown = TextOf(line);
            limit = m.Limit();
            width = m.Width(shown);
            full = m.Width(deep);
        },
        [](HWND dlg) { Press(dlg, IDCANCEL); },
    });
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    d.Execute();
    ASSERT_GT(full, limit);
    EXPECT_LE(width, limit);
    // Leading levels gave way to the marker; the drive and the name stay.
    EXPECT_EQ(shown.substr(0, 7), "C:\\...\\") << shown;
    EXPECT_EQ(shown.substr(shown.size() - 8), "\\Deepest") << shown;
}

TEST_F(BrowseDirectoryTest, StatusFollowsTheSelection) {
    TBrowseDirectoryDlg d;
    d.SetShowSelectionInStatus(true);
    d.SetSelection(alpha);
    std::string shown;
    Script script({
        {[&] { return (shown = TextOf(StatusLine(d.DialogWindow()))).ends_with("\\Alpha"); },
         [&](HWND) { d.SetSelection(beta); }},
        {[&] { return d.StatusText() == beta; }, [](HWND dlg) { Press(dlg, IDCANCEL); }},
    });
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    EXPECT_FALSE(d.Execute());
    // The whole path or its shortened form, ending in the folder's name.
    EXPECT_EQ(shown.substr(shown.size() - 6), "\\Alpha") << shown;
    EXPECT_EQ(d.StatusText(), beta);  // the last path shown stays
}

TEST_F(BrowseDirectoryTest, DisabledOkSurvivesSelectionChanges) {
    TBrowseDirectoryDlg d;
    d.SetEnableOKButton(false);
    d.SetSelection(alpha);
    int changes = 0;
    d.OnSelChanged = [&](TBrowseDirectoryDlg*, const std::string&, LPCITEMIDLIST) { ++changes; };
    int changesBefore = 0;
    Script script({
        [&](HWND dlg) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDOK)));  // from the start
            changesBefore = changes;
            d.SetSelection(beta);
        },
        // The shell has handled the change (and enabled OK for it).
        {[&] { return changes > changesBefore; }, [&](HWND dlg) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDOK)));
            // A selection change made in the tree itself, as a user would.
            HWND tree = FindWindowExA(dlg, nullptr, WC_TREEVIEWA, nullptr);
            ASSERT_NE(tree, nullptr);
            const auto current = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
            const auto parent = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(current)));
            changesBefore = changes;
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(parent));
        }},
        {[&] { return changes > changesBefore; }, [&](HWND dlg) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDOK)));
            d.SetEnableOKButton(true);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDOK)));
        }},
        [](HWND dlg) { Press(dlg, IDCANCEL); },
    });
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    d.Execute();
    EXPECT_EQ(script.Done(), 4u);
}

TEST_F(BrowseDirectoryTest, CaptionReadAndWrittenWhileOpen) {
    TBrowseDirectoryDlg d;
    d.SetCaption("Where is the Delphi 1 library?");
    EXPECT_EQ(d.Caption(), "Where is the Delphi 1 library?");
    const std::string longCaption(300, 'x');
    std::string atOpen, afterWrite, readBack, readLong;
    Script script({
        [&](HWND dlg) {
            atOpen = TextOf(dlg);
            d.SetCaption("Library directory");
            afterWrite = TextOf(dlg);
            SetWindowTextA(dlg, "Changed behind its back");
            readBack = d.Caption();  // the window's own title while open
            d.SetCaption(longCaption);
            readLong = d.Caption();
            d.SetCaption("Last written");
        },
        [](HWND dlg) { Press(dlg, IDCANCEL); },
    });
    d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
    d.Execute();
    EXPECT_EQ(atOpen, "Where is the Delphi 1 library?");
    EXPECT_EQ(afterWrite, "Library directory");
    EXPECT_EQ(readBack, "Changed behind its back");
    EXPECT_EQ(readLong, longCaption);  // read whole, not cut at 255
    EXPECT_EQ(d.Caption(), "Last written");
}

TEST_F(BrowseDirectoryTest, RootStartsTheTree) {
    auto displayName = [](int csidl) {
        LPITEMIDLIST item = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item))) return std::string();
        SHFILEINFOA info{};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_DISPLAYNAME);
        CoTaskMemFree(item);
        return std::string(info.szDisplayName);
    };
    struct Case { TRootID root; int csidl; };
    const Case cases[] = {{idDrives, CSIDL_DRIVES}, {idPersonal, CSIDL_PERSONAL},
                          {idDesktopExpanded, CSIDL_DESKTOP}};
    for (const Case& c : cases) {
        TBrowseDirectoryDlg d;
        d.SetRoot(c.root);
        std::string rootText;
        Script script({[&](HWND dlg) {
            HWND tree = FindWindowExA(dlg, nullptr, WC_TREEVIEWA, nullptr);
            ASSERT_NE(tree, nullptr);
            char text[MAX_PATH] = {};
            TVITEMA item{};
            item.mask = TVIF_TEXT;
            item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            rootText = text;
            Press(dlg, IDCANCEL);
        }});
        d.OnCreate = [&](TBrowseDirectoryDlg* s) { script.Start(s->DialogWindow()); };
        d.Execute();
        EXPECT_EQ(rootText, displayName(c.csidl)) << int(c.root);
    }
}

TEST_F(BrowseDirectoryTest, HandlerFailureClosesTheDialogAndReachesTheCaller) {
    TBrowseDirectoryDlg d;
    d.SetSelection(alpha);
    HWND seen = nullptr;
    d.OnCreate = [&](TBrowseDirectoryDlg* s) {
        seen = s->DialogWindow();
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(d.Execute(), std::runtime_error);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(d.DialogWindow(), nullptr);
    EXPECT_EQ(d.Selection(), "");
}

}  // namespace
}  // namespace quillet
