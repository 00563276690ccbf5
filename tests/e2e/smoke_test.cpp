// The driver proven against another process (e2e_dummy.exe, which follows
// Quillet's conventions), the placeholder compiler, and the first look at
// quillet.exe itself.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "driver.h"

namespace e2e {
namespace {

class DriverTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.CopyFromBin("e2e_dummy.exe"));
        ASSERT_TRUE(app_.Start(folder_.File("e2e_dummy.exe")));
        main_ = app_.WaitForWindow("TDummyFace", "Dummy Face");
        ASSERT_NE(main_, nullptr);
    }

    std::string Status() { return Text(FindControl(main_, "lStatus")); }

    // The status label changes after a posted click or keys: wait for it.
    void ExpectStatus(const std::string& want, Where where = Where::current()) {
        bool ok = WaitFor([&] { return Status() == want; }, kWaitMs, "status \"" + want + "\"", where);
        if (!ok) ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << "status is \"" << Status() << "\"";
    }

    TestFolder folder_;
    App app_;
    HWND main_ = nullptr;
};

TEST_F(DriverTest, FindsNamedControlsAndReadsTheirState) {
    HWND name = FindControl(main_, "eName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(Text(name), "initial");
    EXPECT_EQ(ClassOf(name), "Edit");
    EXPECT_EQ(NameOf(name), "eName");

    RECT ok = RectInParent(FindControl(main_, "bOK"));
    EXPECT_EQ(ok.left, 220);
    EXPECT_EQ(ok.top, 10);
    EXPECT_EQ(ok.right, 300);
    EXPECT_EQ(ok.bottom, 35);
    EXPECT_EQ(Text(FindControl(main_, "bOK")), "&OK");

    EXPECT_EQ(CheckState(FindControl(main_, "cCheck")), BST_UNCHECKED);
    EXPECT_FALSE(IsEnabled(FindControl(main_, "bDisabled")));
    EXPECT_TRUE(IsShown(FindControl(main_, "bDisabled")));
    EXPECT_FALSE(IsShown(FindControl(main_, "bHidden")));
    EXPECT_TRUE(IsEnabled(FindControl(main_, "bOK")));

    // Child creation order is what EnumChildWindows reports.
    std::vector<std::string> names;
    for (HWND h : NamedControls(main_)) names.push_back(NameOf(h));
    std::vector<std::string> want{"eName", "Memo1", "bOK", "cCheck", "rA", "rB", "bDisabled",
                                  "bHidden", "bAsk", "bOpen", "bBrowse", "lStatus"};
    EXPECT_EQ(names, want);

    RECT client = ClientRect(main_);
    EXPECT_EQ(client.left, 0);
    EXPECT_GT(client.right, 300);
    EXPECT_EQ(TryFindControl(main_, "nothing"), nullptr);
}

// Failures name what was looked for and what is there, at the caller's line.
TEST_F(DriverTest, FailuresAreReadable) {
    static HWND top;
    static App* app;
    top = main_;
    app = &app_;
    EXPECT_NONFATAL_FAILURE(FindControl(top, "bMissing"), "no control named \"bMissing\"");
    EXPECT_NONFATAL_FAILURE(FindControl(top, "bMissing"), "named controls: eName, Memo1, bOK");
    EXPECT_NONFATAL_FAILURE(app->WaitForWindow("NoSuchClass", "", 200), "no window of class \"NoSuchClass\"");
    EXPECT_NONFATAL_FAILURE(app->WaitForWindow("NoSuchClass", "", 200), "TDummyFace \"Dummy Face\"");
    EXPECT_NONFATAL_FAILURE(Click(FindControl(top, "bDisabled")), "is disabled");
    EXPECT_NONFATAL_FAILURE(Click(FindControl(top, "bHidden")), "is not visible");
    EXPECT_NONFATAL_FAILURE(WaitForMessageDialog(*app, "", 200), "no message dialog within 200 ms");
    EXPECT_NONFATAL_FAILURE(WaitFor([] { return false; }, 100, "nothing"), "timed out after 100 ms waiting for nothing");
}

TEST_F(DriverTest, ClicksButtonsCheckBoxesAndRadioButtons) {
    ASSERT_TRUE(Click(FindControl(main_, "bOK")));
    EXPECT_EQ(Status(), "bOK clicked 1");  // synchronous: handled on return
    ASSERT_TRUE(Click(FindControl(main_, "bOK")));
    EXPECT_EQ(Status(), "bOK clicked 2");

    HWND check = FindControl(main_, "cCheck");
    ASSERT_TRUE(Click(check));
    EXPECT_TRUE(IsChecked(check));
    ASSERT_TRUE(Click(check));
    EXPECT_FALSE(IsChecked(check));

    HWND a = FindControl(main_, "rA"), b = FindControl(main_, "rB");
    ASSERT_TRUE(Click(b));
    EXPECT_TRUE(IsChecked(b));
    EXPECT_FALSE(IsChecked(a));
    ASSERT_TRUE(Click(a));
    EXPECT_TRUE(IsChecked(a));
    EXPECT_FALSE(IsChecked(b));

    ASSERT_TRUE(PostClick(FindControl(main_, "bOK")));
    ExpectStatus("bOK clicked 3");
}

TEST_F(DriverTest, SetsAndTypesText) {
    HWND name = FindControl(main_, "eName");
    ASSERT_TRUE(SetText(name, ""));
    EXPECT_EQ(Text(name), "");
    ASSERT_TRUE(TypeText(name, "Hello, World! C:\\a_b;(x)=1"));
    EXPECT_TRUE(WaitFor([&] { return Text(name) == "Hello, World! C:\\a_b;(x)=1"; }, kWaitMs, "typed text"))
        << "text is \"" << Text(name) << "\"";
    EXPECT_EQ(FocusedControl(main_), name);

    ASSERT_TRUE(PressReturn(name));
    ExpectStatus("return in eName");

    HWND memo = FindControl(main_, "Memo1");
    ASSERT_TRUE(TypeText(memo, "one\ntwo"));
    EXPECT_TRUE(WaitFor([&] { return Text(memo) == "one\r\ntwo"; }, kWaitMs, "memo text"))
        << "text is \"" << Text(memo) << "\"";
    EXPECT_EQ(FocusedControl(main_), memo);

    // A long value is read whole.
    std::string longText(3000, 'x');
    ASSERT_TRUE(SetText(name, longText));
    EXPECT_EQ(Text(name), longText);
}

TEST_F(DriverTest, EscapeInMemoClosesAndTheFileCanBeReadAfterwards) {
    ASSERT_TRUE(SetText(FindControl(main_, "eName"), "kept"));
    ASSERT_TRUE(PressEscape(FindControl(main_, "Memo1")));
    ASSERT_TRUE(app_.WaitForExit());
    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_EQ(folder_.ReadIni("Dummy", "Status", "e2e_dummy.ini"), "escape in Memo1");
    EXPECT_EQ(folder_.ReadIni("Dummy", "Name", "e2e_dummy.ini"), "kept");
    EXPECT_EQ(folder_.ReadIni("Dummy", "Closes", "e2e_dummy.ini"), "1");
    EXPECT_EQ(folder_.ReadIni("Dummy", "Absent", "e2e_dummy.ini"), std::nullopt);
    EXPECT_EQ(folder_.ReadIni("Nowhere", "Status", "e2e_dummy.ini"), std::nullopt);
    auto bytes = folder_.ReadFile("e2e_dummy.ini");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_NE(bytes->find("[Dummy]"), std::string::npos);
}

// Every route by which a person closes a window ends the program through its
// close handler (which writes the file).
TEST(DriverClose, EveryRouteEndsTheProgram) {
    struct Route {
        const char* name;
        bool (*close)(HWND, Where);
    };
    const Route routes[] = {
        {"Alt+F4", [](HWND h, Where w) { return PressAltF4(h, w); }},
        {"close box", [](HWND h, Where w) { return PressCloseBox(h, w); }},
        {"WM_CLOSE", [](HWND h, Where w) { return PostClose(h, w); }},
    };
    for (const Route& r : routes) {
        SCOPED_TRACE(r.name);
        TestFolder folder(CurrentTestName() + "." + std::to_string(&r - routes));
        ASSERT_TRUE(folder.CopyFromBin("e2e_dummy.exe"));
        App app;
        ASSERT_TRUE(app.Start(folder.File("e2e_dummy.exe")));
        HWND top = app.WaitForWindow("TDummyFace");
        ASSERT_NE(top, nullptr);
        ASSERT_TRUE(r.close(top, Where::current()));
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(folder.ReadIni("Dummy", "Closes", "e2e_dummy.ini"), "1");
    }
}

TEST(DriverTeardown, AProgramStillRunningIsEnded) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyFromBin("e2e_dummy.exe"));
    HANDLE watch = nullptr;
    {
        App app;
        ASSERT_TRUE(app.Start(folder.File("e2e_dummy.exe")));
        ASSERT_NE(app.WaitForWindow("TDummyFace"), nullptr);
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), app.Process(), GetCurrentProcess(), &watch, SYNCHRONIZE,
                                    FALSE, 0));
        EXPECT_EQ(WaitForSingleObject(watch, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }
    EXPECT_EQ(WaitForSingleObject(watch, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(watch);
}

TEST_F(DriverTest, AnswersTheMessageDialogByButtonAndByKey) {
    struct Case {
        const char* how;
        int want;
    };
    const Case cases[] = {{"button 1", 1}, {"button 2", 2}, {"button 3", 3},
                          {"Escape", 3},   {"Return", 1},   {"close box", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        ASSERT_TRUE(PostClick(FindControl(main_, "bAsk")));
        MessageDialog d = WaitForMessageDialog(app_, "Dummy question");
        ASSERT_TRUE(d);
        EXPECT_EQ(d.caption, "Dummy question");
        EXPECT_EQ(d.message, "Proceed with the dummy?\n\nSecond line.");
        EXPECT_EQ(d.ButtonCount(), 3);
        EXPECT_EQ(d.buttons[0], "&Yes");
        EXPECT_EQ(d.buttons[1], "&No");
        EXPECT_EQ(d.buttons[2], "Cancel");
        EXPECT_FALSE(IsEnabled(main_));  // modal
        std::string how = c.how;
        if (how.rfind("button ", 0) == 0) {
            ASSERT_TRUE(d.Press(how.back() - '0'));
        } else if (how == "Escape") {
            ASSERT_TRUE(PressEscape(d.hwnd));
        } else if (how == "Return") {
            ASSERT_TRUE(PressReturn(d.hwnd));
        } else {
            ASSERT_TRUE(PressCloseBox(d.hwnd));
        }
        ExpectStatus("ask=" + std::to_string(c.want));
        EXPECT_TRUE(IsEnabled(main_));
    }
}

TEST_F(DriverTest, AnswersTheOpenFileDialog) {
    ASSERT_TRUE(folder_.WriteFile("pick me.txt", "sample"));
    ASSERT_TRUE(PostClick(FindControl(main_, "bOpen")));
    HWND dlg = WaitForStandardDialog(app_);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(CancelDialog(dlg));
    ExpectStatus("open=cancel");

    ASSERT_TRUE(PostClick(FindControl(main_, "bOpen")));
    dlg = WaitForStandardDialog(app_);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(AnswerOpenFile(dlg, folder_.File("pick me.txt")));
    ExpectStatus("open=" + folder_.File("pick me.txt"));
}

TEST_F(DriverTest, AnswersTheFolderBrowser) {
    ASSERT_TRUE(PostClick(FindControl(main_, "bBrowse")));
    HWND dlg = WaitForStandardDialog(app_);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(CancelDialog(dlg));
    ExpectStatus("browse=cancel");

    ASSERT_TRUE(PostClick(FindControl(main_, "bBrowse")));
    dlg = WaitForStandardDialog(app_);
    ASSERT_NE(dlg, nullptr);
    ASSERT_TRUE(ConfirmDialog(dlg));
    EXPECT_TRUE(WaitFor([&] { return Status().rfind("browse=", 0) == 0 && Status() != "browse=cancel"; }, kWaitMs,
                        "a confirmed folder"))
        << "status is \"" << Status() << "\"";
}

// The placeholder compiler of the demo prefix: it logs its command line and
// current directory and exits with the code it is told.
TEST(FakeDcc, LogsCommandLineAndDirectoryAndExitsWithTheGivenCode) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyFromBin("fakedcc.exe"));
    ASSERT_TRUE(MakeDirs(folder.File("work dir")));
    std::string log = folder.File("runs.log");
    struct Case {
        const char* exitEnv;  // nullptr: unset
        DWORD want;
    };
    const Case cases[] = {{nullptr, 0}, {"7", 7}, {"0", 0}, {"not a number", 0}};
    SetEnvironmentVariableA("FAKEDCC_LOG", log.c_str());
    std::string expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exitEnv ? c.exitEnv : "(unset)");
        SetEnvironmentVariableA("FAKEDCC_EXIT", c.exitEnv);
        App app;
        ASSERT_TRUE(app.Start(folder.File("fakedcc.exe"), "-B \"my project.dpr\"", folder.File("work dir")));
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(app.ExitCode(), c.want);
        expected.append(1, '"').append(folder.File("fakedcc.exe")).append("\" -B \"my project.dpr\"\t");
        expected.append(folder.File("work dir")).append("\r\n");
    }
    SetEnvironmentVariableA("FAKEDCC_LOG", nullptr);
    SetEnvironmentVariableA("FAKEDCC_EXIT", nullptr);
    EXPECT_EQ(folder.ReadFile("runs.log"), expected);
}

// quillet.exe itself: started from a fresh folder, its main window appears
// and it closes on request.
TEST(QuilletSmoke, StartsShowsTheMainWindowAndCloses) {
    TestFolder folder;
    ASSERT_TRUE(folder.CopyQuillet(true));
    App app;
    ASSERT_TRUE(app.Start(folder.QuilletExe()));
    HWND main = nullptr;
    DWORD start = GetTickCount();
    while (!(main = app.FindTopWindow(kMainClass)) && app.Running() && GetTickCount() - start < kWaitMs) Sleep(20);
    ASSERT_NE(main, nullptr) << app.DescribeWindows();
    EXPECT_EQ(Text(main), kMainCaption);
    EXPECT_TRUE(IsShown(main));
    ASSERT_TRUE(PostClose(main));
    ASSERT_TRUE(app.WaitForExit());
}

}  // namespace
}  // namespace e2e
