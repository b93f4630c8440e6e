#include "app/command_menu.h"
#include "app/startup_rules.h"
#include "sysinfo/windows_version.h"

#include <gtest/gtest.h>

TEST(StartUp, ProgramFolderKeepsItsBackslash)
{
    EXPECT_EQ(ProgramFolderFromModulePath("C:\\Tools\\prog.exe"), "C:\\Tools\\");
    EXPECT_EQ(ProgramFolderFromModulePath("C:\\prog.exe"), "C:\\");
    EXPECT_EQ(ProgramFolderFromModulePath("prog.exe"), "");
}

TEST(StartUp, CapturePathsLieInTheStartFolder)
{
    CapturePaths work = CapturePathsFor("C:\\Work");
    EXPECT_EQ(work.workstation, "C:\\Work\\2345.txt");
    EXPECT_EQ(work.session, "C:\\Work\\bes.txt");
    EXPECT_EQ(work.ping, "C:\\Work\\123.txt");
    // A drive root already ends in a backslash; Windows takes the double one.
    EXPECT_EQ(CapturePathsFor("C:\\").workstation, "C:\\\\2345.txt");
}

TEST(StartUp, CaptureCommandsQuotePathsAndComputerName)
{
    EXPECT_EQ(WorkstationCaptureParameters("C:\\Work Dir & Co\\2345.txt"),
              " /c Net config workstation > \"C:\\Work Dir & Co\\2345.txt\"");
    EXPECT_EQ(PingCaptureParameters("PC&1", "C:\\Work\\123.txt"),
              " /c Ping -n 1 \"PC&1\" > \"C:\\Work\\123.txt\"");
    // A stray quote cannot be escaped inside quotes, so it is dropped.
    EXPECT_EQ(PingCaptureParameters("A\"B", "x"), " /c Ping -n 1 \"AB\" > \"x\"");
}

TEST(StartUp, MemoryRoundsToNearestMegabyteHalvesToEven)
{
    struct Case { double bytes; int32_t megabytes; };
    const Case cases[] = {
        {536346624.0, 512},    // 511.5 MB
        {537395200.0, 512},    // 512.5 MB
        {536330240.0, 511},
        {2147483647.0, 2048},  // the most a 32-bit process is told
        {0.0, 0},
        {25769803776.0, 24576},  // 24 GB seen by the 64-bit build
        {68719476736.0, 65536},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MegabytesFromBytes(static_cast<float>(c.bytes)), c.megabytes) << c.bytes;
}

TEST(WindowsVersion, ClassifiesPlatformAndVersion)
{
    struct Case { uint32_t platform, major, minor; int code; const char* name; };
    const Case cases[] = {
        {1, 4, 0, 10, "Windows 95"},     {1, 4, 10, 30, "Windows 98"},
        {1, 7, 10, 30, "Windows 98"},    {1, 4, 90, 40, "Windows ME"},
        {1, 4, 20, 100, "Windows Future"}, {2, 3, 51, 5, "Windows NT 3.51"},
        {2, 4, 0, 20, "Windows NT 4"},   {2, 5, 0, 50, "Windows 2000"},
        {2, 5, 1, 60, "Windows XP"},     {2, 5, 2, 100, "Windows Future"},
        {2, 6, 1, 100, "Windows Future"}, {2, 10, 0, 100, "Windows Future"},
        {0, 5, 1, 100, "Windows Future"}, {3, 5, 1, 100, "Windows Future"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsVersionCodeFor(c.platform, c.major, c.minor), c.code)
            << c.platform << " " << c.major << "." << c.minor;
        EXPECT_STREQ(WindowsNameFor(OsVersionCodeFor(c.platform, c.major, c.minor)), c.name);
    }
}

TEST(CommandMenu, ListsEighteenEntriesAndFourMoreOnXp)
{
    const std::vector<std::string> all = MenuLabels(true);
    ASSERT_EQ(MenuLabels(false).size(), 18u);
    ASSERT_EQ(all.size(), 22u);
    EXPECT_EQ(all[2], "Ping IP -t   (endlos Ping)");
    EXPECT_EQ(all[17], "Net Session (Besucher)");
    EXPECT_EQ(all[18], "msconfig  XP");
    EXPECT_EQ(all[21], "Befehlsreferenz   XP");
    // The XP entries come after all the others, so indices never shift.
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 18), MenuLabels(false));
}

TEST(CommandMenu, SessionViewerPagesAndThenDeletesTheQuotedCapture)
{
    EXPECT_EQ(SessionCaptureParameters("C:\\Work Dir & Co\\bes.txt"),
              " /c net session > \"C:\\Work Dir & Co\\bes.txt\"");
    EXPECT_EQ(SessionViewerParameters("C:\\W\\bes.txt"),
              " /K more < \"C:\\W\\bes.txt\" & del \"C:\\W\\bes.txt\"");
}

TEST(CommandMenu, EntriesThatStartSystemToolsNameThemExactly)
{
    const auto& entries = CommandEntries();
    EXPECT_STREQ(entries[9].label, "Msinfo32.exe");
    EXPECT_STREQ(entries[9].program, "msinfo32.exe");
    EXPECT_STREQ(entries[9].parameters, "");
    EXPECT_STREQ(entries[21].program, "hh.exe");
    EXPECT_STREQ(entries[21].parameters, " ntcmds.chm::/ntcmds.htm");
    for (int index : {1, 2, 7})
        EXPECT_EQ(entries[static_cast<size_t>(index)].action, CommandAction::LaunchWithAddress);
    EXPECT_EQ(entries[4].action, CommandAction::OwnAddress);
    EXPECT_EQ(entries[15].action, CommandAction::PublicAddress);
}
