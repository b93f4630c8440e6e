#include "app/command_menu.h"
#include "app/info_link_caption.h"
#include "app/startup_rules.h"
#include "sysinfo/capture_parsing.h"
#include "sysinfo/public_ip_page.h"
#include "sysinfo/windows_version.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(CaptureParsing, WorkgroupAndOwnAddressFromTheLastMatchingLineAndTheCaption)
{
    struct Case { bool workgroup; Lines lines; const char* start; const char* expected; };
    const Case cases[] = {
        // Redirected console output is in the OEM code page: "ä" is byte 0x84.
        {true, {"Computername                              \\\\BUERO1",
                "Arbeitsstationsdom\x84ne                     Heimnetz",
                "DNS-Name der Arbeitsstationsdom\x84ne        (null)",
                "Anmeldedom\x84ne                             BUERO1"}, "", "Heimnetz"},
        {true, {"Workstation domain                   MY GROUP",
                "Workstation Domain DNS Name          (null)"}, "", "MY GROUP"},
        {true, {"Arbeitsstationsdom\x84ne   ERSTE", "x", "  Workstation domain   ZWEITE  "}, "", "ZWEITE"},
        {true, {"Benutzername  x", "", "workstation domain   LOWER"}, "KEPT", "KEPT"},
        {true, {"Arbeitsstationsdom\x84ne"}, "OLD", ""},
        {false, {"Ping wird ausgef\x81hrt f\x81r BUERO1 [192.168.0.5] mit 32 Bytes Daten:",
                 "Antwort von 192.168.0.5: Bytes=32 Zeit<1ms TTL=128"}, "", "192.168.0.5"},
        {false, {"Pinging OFFICE1 [ 10.0.0.7 ] with 32 bytes of data:"}, "", "10.0.0.7"},
        {false, {"PC [10.0.0.7"}, "old", ""}, {false, {"PC ]x[10.0.0.7"}, "old", ""},
        {false, {"no bracket"}, "old", "old"}, {false, {"[1.1.1.1]", "[2.2.2.2]"}, "", "2.2.2.2"},
    };
    for (const Case& c : cases) {
        std::string found = c.start;
        for (const std::string& line : c.lines)
            c.workgroup ? void(WorkgroupFromLine(line, found)) : void(OwnAddressFromLine(line, found));
        EXPECT_EQ(found, c.expected) << c.lines.front();
    }
    constexpr ScrambledCaption stored = ScrambleCaption("\xF0\xE0 abcdefghijkl");
    EXPECT_EQ(std::make_pair(stored[0], stored[1]), std::make_pair('\x11', '\0'));  // +33 wraps mod 256
    EXPECT_EQ(UnscrambleCaption(stored), "\xF0\xE0 abcdefghijkl");
    EXPECT_EQ(UnscrambleCaption(storedInfoLinkCaption), "Wendelkamm V4.0");
}

// Vista and later answer a ping of the own name over IPv6; such a bracket must
// neither be read as an address ("2a02:..." once gave 2.0.0.0) nor keep an old one.
TEST(CaptureParsing, PingBracketHoldingAColonIsIpv6AndNeverAnAddress)
{
    struct Case { const char* line; PingBracket bracket; const char* address; };
    const Case cases[] = {
        {"Pinging PC [fe80::1c2b:4d5e:6f70:8192%11] with 32 bytes of data:", PingBracket::Ipv6, ""},
        {"Ping wird ausgef\x81hrt f\x81r PC [::1] mit 32 Bytes Daten:", PingBracket::Ipv6, ""},
        {"Pinging PC [2a02:2454:95ac:1600:b95:6f1f:d2dc:9710] with 32 bytes of data:", PingBracket::Ipv6, ""},
        {"Pinging PC [::ffff:10.0.0.7] with 32 bytes of data:", PingBracket::Ipv6, ""},
        {"Ping PC [10.0.0.7] mit 32 Bytes Daten:", PingBracket::Ipv4, "10.0.0.7"},
        {"Antwort von fe80::1%11: Zeit<1ms", PingBracket::None, "old"},
        {"Ping request could not find host PC. Please check the name and try again.", PingBracket::None, "old"},
    };
    for (const Case& c : cases) {
        std::string address = "old";
        EXPECT_EQ(OwnAddressFromLine(c.line, address), c.bracket) << c.line;
        EXPECT_EQ(address, c.address) << c.line;
    }
    EXPECT_EQ(AddressNumbersFromText(""), (std::array<int32_t, 4>{0, 0, 0, 0}));  // the field then shows 0.0.0.0
}

TEST(PublicAddressFromPage, FromIpKeyOrFourthCharacterToFirstTagAndOnlyFourNumbersUpTo255)
{
    std::string keyAtEnd(publicIpPageSize, 'x'), bareKeyAtEnd(publicIpPageSize, 'x');
    keyAtEnd.replace(keyAtEnd.size() - 13, 13, "IP: 5.6.7.8<b");
    bareKeyAtEnd.replace(bareKeyAtEnd.size() - 4, 4, "IP: ");
    const std::pair<std::string, std::array<int32_t, 4>> cases[] = {
        {"Your IP: 84.12.3.4<br>\r\n", {84, 12, 3, 4}}, {"IP: 10.0.0.1", {10, 0, 0, 1}},
        {"<p>IP: 1.2.3.4</p><p>IP: 5.6.7.8</p>", {1, 2, 3, 4}}, {"IP: 10.0.0.1\r\n", {10, 0, 0, 1}},
        {"abc1.2.3.4<", {1, 2, 3, 4}}, {"IP:   10.200.0.2   <br>", {10, 200, 0, 2}},
        {"<html>Not Found</html>", {0, 0, 0, 0}}, {"", {0, 0, 0, 0}}, {keyAtEnd, {5, 6, 7, 8}},
        {bareKeyAtEnd, {0, 0, 0, 0}}, {"IP: 1.2.3.4.5<br>", {1, 2, 3, 4}}, {"IP: 1. 2.  3.4x", {1, 2, 3, 4}},
        {"IP: 255.255.255.255\n", {255, 255, 255, 255}}, {"IP: 0.00.000.0", {0, 0, 0, 0}},
        // Anything but four numbers 0 to 255 reads as no address, not as carried or partial numbers.
        {"IP: 999.999.1.1", {0, 0, 0, 0}}, {"IP: 10.1", {0, 0, 0, 0}}, {"IP: 1.2<br>.3.4", {0, 0, 0, 0}},
        {"IP: 1.2.3.256", {0, 0, 0, 0}}, {"IP: 0001.2.3.4", {0, 0, 0, 0}}, {"IP: +1.2.3.4", {0, 0, 0, 0}},
        {"IP: 1.-2.3.4", {0, 0, 0, 0}}, {"IP: 1..3.4", {0, 0, 0, 0}}, {"IP: 1.2.3.x4", {0, 0, 0, 0}},
        {"IP: 1.2.3.\t4", {0, 0, 0, 0}}, {"IP: 4294967297.2.3.4", {0, 0, 0, 0}},
    };
    for (const auto& [body, numbers] : cases) {
        std::string page = Blanks(publicIpPageSize);  // what the read leaves untouched stays blank
        page.replace(0, body.size(), body);
        EXPECT_EQ(AddressNumbersFromText(PublicAddressFromPage(page)), numbers) << body.substr(0, 30);
    }
    EXPECT_EQ(PublicAddressFromPage("Your IP: 84.12.3.4<br>"), "84.12.3.4");
    EXPECT_EQ(PublicAddressFromPage("IP: 999.999.1.1"), "");
}

TEST(StartUp, MemoryWindowsVersionCaptureFolderAndCommandLines)
{
    struct Memory { double bytes; int32_t megabytes; };  // halves round to even
    for (const Memory& m : {Memory{536346624.0, 512}, Memory{537395200.0, 512}, Memory{536330240.0, 511},
                            Memory{2147483647.0, 2048}, Memory{0.0, 0}, Memory{25769803776.0, 24576}})
        EXPECT_EQ(MegabytesFromBytes(static_cast<float>(m.bytes)), m.megabytes) << m.bytes;
    struct Version { uint32_t platform, major, minor; int code; const char* name; };
    const Version versions[] = {
        {1, 4, 0, 10, "Windows 95"}, {1, 4, 10, 30, "Windows 98"}, {1, 4, 90, 40, "Windows ME"},
        {1, 4, 20, 100, "Windows Future"}, {2, 3, 51, 5, "Windows NT 3.51"}, {2, 4, 0, 20, "Windows NT 4"},
        {2, 5, 0, 50, "Windows 2000"}, {2, 5, 1, 60, "Windows XP"}, {2, 5, 2, 100, "Windows Future"},
        {2, 10, 0, 100, "Windows Future"}, {0, 5, 1, 100, "Windows Future"},
    };
    for (const Version& v : versions) {
        EXPECT_EQ(OsVersionCodeFor(v.platform, v.major, v.minor), v.code) << v.name << v.major << v.minor;
        EXPECT_STREQ(WindowsNameFor(v.code), v.name);
    }
    const CapturePaths work = CapturePathsFor("C:\\Work");
    const std::pair<std::string, const char*> texts[] = {
        {work.workstation, "C:\\Work\\2345.txt"}, {work.session, "C:\\Work\\bes.txt"},
        {work.ping, "C:\\Work\\123.txt"}, {CapturePathsFor("C:\\").workstation, "C:\\\\2345.txt"},
        {WorkstationCaptureParameters("C:\\W & C\\2345.txt"),
         " /c Net config workstation > \"C:\\W & C\\2345.txt\""},
        {PingCaptureParameters("PC&1", "C:\\W\\123.txt"), " /c Ping -n 1 \"PC&1\" > \"C:\\W\\123.txt\""},
        {PingCaptureParameters("A\"B", "x"), " /c Ping -n 1 \"AB\" > \"x\""},  // a stray quote is dropped
        {PingIpv4CaptureParameters("PC&1", "C:\\W\\123.txt"), " /c Ping -4 -n 1 \"PC&1\" > \"C:\\W\\123.txt\""},
        {SessionCaptureParameters("C:\\W & C\\bes.txt"), " /c net session > \"C:\\W & C\\bes.txt\""},
        {SessionViewerParameters("C:\\W\\bes.txt"), " /K more < \"C:\\W\\bes.txt\" & del \"C:\\W\\bes.txt\""},
    };
    for (const auto& [actual, expected] : texts)
        EXPECT_EQ(actual, expected);
    // cmd expands %NAME% even inside quotes: such a start folder, or none, sends the captures to the
    // temporary folder; when that is no better, there is no capture path at all.
    const char* temp = "C:\\Users\\u\\AppData\\Local\\Temp\\";
    const std::pair<std::string, const char*> folders[] = {
        {CaptureFolderFor("C:\\Work Dir & Co", temp), "C:\\Work Dir & Co"}, {CaptureFolderFor("C:\\", temp), "C:\\"},
        {CaptureFolderFor("C:\\100%", temp), "C:\\Users\\u\\AppData\\Local\\Temp"},
        {CaptureFolderFor("C:\\%WINDIR%", "C:\\"), "C:"}, {CaptureFolderFor("", "D:\\T\\"), "D:\\T"},
        {CaptureFolderFor("%", "C:\\T%x\\"), ""}, {CaptureFolderFor("", ""), ""},
        {CapturePathsFor(CaptureFolderFor("C:\\%A%", "C:\\")).ping, "C:\\123.txt"},
        {CapturePathsFor("").workstation + CapturePathsFor("").session + CapturePathsFor("").ping, ""},
    };
    for (const auto& [actual, expected] : folders)
        EXPECT_EQ(actual, expected);
}

TEST(CommandMenu, EntriesInMenuOrderWithTheFourXpEntriesLast)
{
    using A = CommandAction;
    struct Case { size_t index; const char* label; A action; const char* program; const char* parameters; };
    const Case cases[] = {
        {0, "ipconfig -all", A::Launch, "cmd", " /k ipconfig -all"},
        {2, "Ping IP -t   (endlos Ping)", A::LaunchWithAddress, "cmd", " /k ping -t "},
        {4, "Eigene IP", A::OwnAddress, "", ""},
        {15, "Internet IP (auch hinter Router)", A::PublicAddress, "", ""},
        {17, "Net Session (Besucher)", A::SessionList, "cmd", ""},
        {18, "msconfig  XP", A::Launch, "msconfig", ""},
        {19, "netsh diag Gui  XP", A::Launch, "cmd", " /c netsh diag gui"},
        {21, "Befehlsreferenz   XP", A::Launch, "hh.exe", " ntcmds.chm::/ntcmds.htm"},
    };
    const Lines all = MenuLabels(true);
    ASSERT_EQ(all.size(), 22u);
    EXPECT_EQ(MenuLabels(false), Lines(all.begin(), all.begin() + 18));
    for (const Case& c : cases) {
        const CommandEntry& e = CommandEntries().at(c.index);
        EXPECT_EQ(std::tuple(all[c.index], e.xpOnly, e.action), std::tuple(c.label, c.index >= 18, c.action));
        EXPECT_EQ(std::string(e.program) + "|" + e.parameters, std::string(c.program) + "|" + c.parameters);
    }
}
