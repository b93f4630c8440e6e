#include "sysinfo/capture_parsing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string WorkgroupOf(const std::vector<std::string>& lines, std::string start = "")
{
    for (const std::string& line : lines)
        WorkgroupFromLine(line, start);
    return start;
}

std::string AddressOf(const std::vector<std::string>& lines, std::string start = "")
{
    for (const std::string& line : lines)
        OwnAddressFromLine(line, start);
    return start;
}

// Console output as redirected into the capture file: OEM code page, so the
// umlaut of "Arbeitsstationsdomäne" is byte 0x84.
const std::vector<std::string> germanWorkstation = {
    "Computername                              \\\\BUERO1",
    "Vollst\x84ndiger Computername                buero1",
    "Benutzername                              mueller",
    "",
    "Softwareversion                           Windows 2002",
    "",
    "Arbeitsstationsdom\x84ne                     Heimnetz",
    "DNS-Name der Arbeitsstationsdom\x84ne        (null)",
    "Anmeldedom\x84ne                             BUERO1",
    "",
    "Der Befehl wurde erfolgreich ausgef\x81hrt.",
};

const std::vector<std::string> englishWorkstation = {
    "Computer name                        \\\\OFFICE1",
    "Workstation domain                   MY GROUP",
    "Workstation Domain DNS Name          (null)",
    "Logon domain                         OFFICE1",
};

} // namespace

TEST(Workgroup, IsShownAsWrittenFromGermanAndEnglishOutput)
{
    EXPECT_EQ(WorkgroupOf(germanWorkstation), "Heimnetz");
    EXPECT_EQ(WorkgroupOf(englishWorkstation), "MY GROUP");
}

TEST(Workgroup, LastMatchingLineWinsAndOtherLinesLeaveItAlone)
{
    EXPECT_EQ(WorkgroupOf({"Arbeitsstationsdom\x84ne   ERSTE", "x", "Arbeitsstationsdom\x84ne   ZWEITE"}),
              "ZWEITE");
    EXPECT_EQ(WorkgroupOf({"Benutzername  x", ""}, "KEPT"), "KEPT");
    EXPECT_EQ(WorkgroupOf({"  Workstation domain   SPACED  "}), "SPACED");
    EXPECT_EQ(WorkgroupOf({"Arbeitsstationsdom\x84ne"}, "OLD"), "");
    // Case counts: the DNS-name line of English output is not the workgroup.
    EXPECT_EQ(WorkgroupOf({"workstation domain   LOWER"}, "KEPT"), "KEPT");
}

TEST(OwnAddress, IsCutFromBetweenTheBracketsOfThePingLine)
{
    EXPECT_EQ(AddressOf({"", "Ping wird ausgef\x81hrt f\x81r BUERO1 [192.168.0.5] mit 32 Bytes Daten:",
                         "Antwort von 192.168.0.5: Bytes=32 Zeit<1ms TTL=128"}),
              "192.168.0.5");
    EXPECT_EQ(AddressOf({"Pinging OFFICE1 [ 10.0.0.7 ] with 32 bytes of data:"}), "10.0.0.7");
    EXPECT_EQ(AddressOf({"xx PC1 [10.0.0.7] yy"}), "10.0.0.7");
}

TEST(OwnAddress, MissingOrMisplacedClosingBracketEmptiesIt)
{
    EXPECT_EQ(AddressOf({"PC [10.0.0.7"}, "old"), "");
    EXPECT_EQ(AddressOf({"PC ]x[10.0.0.7"}, "old"), "");
    EXPECT_EQ(AddressOf({"no bracket here"}, "old"), "old");
    EXPECT_EQ(AddressOf({"[1.1.1.1]", "[2.2.2.2]"}), "2.2.2.2");
}

TEST(InfoLinkCaption, UnscramblesStoredForm)
{
    constexpr ScrambledCaption stored = ScrambleCaption("Wendelkamm V4.0");
    EXPECT_EQ(stored[0], static_cast<char>('W' + 33));
    EXPECT_EQ(stored[1], '\0');
    EXPECT_EQ(UnscrambleCaption(stored), "Wendelkamm V4.0");
    EXPECT_EQ(UnscrambleCaption(storedInfoLinkCaption).size(), 15u);
    // Codes near the top wrap modulo 256 and come back.
    EXPECT_EQ(UnscrambleCaption(ScrambleCaption("\xF0\xE0 abcdefghijkl")), "\xF0\xE0 abcdefghijkl");
}
