// The command menu from a user's side: every entry's launch, the address
// check, "Eigene IP" and the visitors' session list.
#include "driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string FileName(const std::string& path)
{
    return LowerPath(path.substr(path.rfind('\\') + 1));
}

// Chooses entry `index` and returns the launches it caused (waiting until
// `expected` have been recorded).
std::vector<Launch> ChooseAndCollect(Session& session, int index, size_t expected)
{
    const size_t before = session.Launches().size();
    Choose(session.Control(2), index);
    WaitUntil([&] { return session.Launches().size() >= before + expected; }, 8000);
    Sleep(expected == 0 ? 800 : 200);
    std::vector<Launch> launches = session.Launches();
    return std::vector<Launch>(launches.begin() + static_cast<long>(std::min(before, launches.size())),
                               launches.end());
}

} // namespace

// Wine starts its own msinfo32.exe and hh.exe whatever lies in the program
// folder, so those two entries are checked in the native table test only.
TEST(CommandMenu, EveryLaunchEntryStartsItsProgramShownInTheProgramFolder)
{
    struct Case { int index; const char* program; const char* parameters; };
    const Case cases[] = {
        {0, "cmd.exe", " /k ipconfig -all"},
        {3, "cmd.exe", " /k Ping 127.0.0.1"},
        {5, "cmd.exe", " /k Net config workstation"},
        {6, "cmd.exe", " /k Net config server"},
        {8, "cmd.exe", " /k Netstat"},
        {10, "cmd.exe", " /k ipconfig -release"},
        {11, "cmd.exe", " /k ipconfig -renew"},
        {12, "winver.exe", ""},
        {13, "control.exe", " ncpa.cpl"},
        {14, "control.exe", " sysdm.cpl"},
        {16, "cmd.exe", " /k net share"},
        {18, "msconfig.exe", ""},
        {19, "cmd.exe", " /c netsh diag gui"},
        {20, "cmd.exe", " /k systeminfo"},
    };
    SessionOptions options;
    options.exeName = "wk-menu-xp.exe";
    options.windowsVersion = "winxp";
    Session session(options);
    ASSERT_TRUE(session.Main());
    for (const Case& c : cases) {
        const std::vector<Launch> launches = ChooseAndCollect(session, c.index, 1);
        EXPECT_EQ(launches.size(), 1u) << "entry " << c.index;
        if (launches.empty())
            continue;
        const Launch& launch = launches[0];
        EXPECT_EQ(FileName(launch.module), c.program) << c.index;
        if (*c.parameters)
            EXPECT_TRUE(EndsWith(launch.commandLine, c.parameters)) << c.index << ": " << launch.commandLine;
        EXPECT_EQ(launch.show, SW_SHOWNORMAL) << c.index;
        EXPECT_EQ(LowerPath(launch.folder), LowerPath(session.programFolder)) << c.index;
        EXPECT_EQ(ComboSelection(session.Control(2)), c.index) << "the choice stays selected";
    }
}

TEST(CommandMenu, AddressEntriesRefuseZeroAddressAndTakeTheFieldOtherwise)
{
    Session session;
    ASSERT_TRUE(session.Main());
    HWND ipField = session.Control(3);
    SetIpFieldParts(ipField, {"", "", "", ""});
    ASSERT_EQ(IpFieldText(ipField), "0.0.0.0");
    for (int index : {1, 2, 7}) {
        const size_t before = session.Launches().size();
        Choose(session.Control(2), index);
        HWND box = WaitForMessageBox(session.ProcessId(), "Fehler!");
        ASSERT_TRUE(box) << "entry " << index;
        EXPECT_EQ(MessageBoxText(box), "Keine g\xFCltige IP");
        CloseMessageBox(box);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_EQ(session.Launches().size(), before) << "entry " << index << " launched anyway";
    }

    struct Case { std::vector<std::string> parts; int index; const char* parameters; };
    const Case cases[] = {
        {{"10", "0", "0", "0"}, 1, " /k ping 10.0.0.0"},
        {{"192", "", "", ""}, 1, " /k ping 192.0.0.0"},
        {{"10", "200", "0", "9"}, 2, " /k ping -t 10.200.0.9"},
        {{"127", "0", "0", "1"}, 7, " /k tracert 127.0.0.1"},
    };
    for (const Case& c : cases) {
        SetIpFieldParts(ipField, c.parts);
        const std::vector<Launch> launches = ChooseAndCollect(session, c.index, 1);
        ASSERT_EQ(launches.size(), 1u) << c.parameters;
        EXPECT_TRUE(EndsWith(launches[0].commandLine, c.parameters)) << launches[0].commandLine;
    }
}

TEST(CommandMenu, OwnAddressPutsTheStartUpAddressBack)
{
    Session session;
    ASSERT_TRUE(session.Main());
    HWND ipField = session.Control(3);
    SetIpFieldParts(ipField, {"1", "2", "3", "4"});
    ASSERT_EQ(IpFieldText(ipField), "1.2.3.4");
    EXPECT_TRUE(ChooseAndCollect(session, 4, 0).empty()) << "Eigene IP pings again";
    EXPECT_TRUE(WaitUntil([&] { return IpFieldText(ipField) == "10.0.0.7"; }, 3000)) << IpFieldText(ipField);
}

TEST(CommandMenu, SessionListIsCapturedPagedAndThenDeleted)
{
    SessionOptions options;
    options.startFolderName = "Work Dir & Co";
    Session session(options);
    ASSERT_TRUE(session.Main());
    const std::vector<Launch> launches = ChooseAndCollect(session, 17, 2);
    ASSERT_EQ(launches.size(), 2u);
    const std::string capture = session.startFolder + "\\bes.txt";
    EXPECT_TRUE(EndsWith(launches[0].commandLine, " /c net session > \"" + capture + "\""))
        << launches[0].commandLine;
    EXPECT_EQ(launches[0].show, SW_HIDE);
    EXPECT_TRUE(EndsWith(launches[1].commandLine,
                         " /K more < \"" + capture + "\" & del \"" + capture + "\""))
        << launches[1].commandLine;
    EXPECT_EQ(launches[1].show, SW_SHOWNORMAL);
    EXPECT_GE(launches[1].tick, launches[0].endTick) << "viewer started before the capture was written";

    ASSERT_TRUE(WaitUntil([&] { return !session.PagedCaptures().empty(); }));
    EXPECT_NE(session.PagedCaptures()[0].find("BUERO2"), std::string::npos) << session.PagedCaptures()[0];
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(capture); }, 3000)) << "capture left behind";
}
