#include "app/startup_rules.h"
#include "sysinfo/capture_parsing.h"
#include "sysinfo/public_ip_page.h"
#include "sysinfo/windows_version.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

// Redirected console output is in the OEM code page: "ä" is byte 0x84, "ü" 0x81.
TEST(CaptureParsing, WorkgroupFromAKeyAtTheLineStartAndOwnAddressFromAPingBracket)
{
    struct Workgroup { std::vector<std::string> lines; const char* expected; };
    const Workgroup workgroups[] = {
        {{"Arbeitsstationsdom\x84ne   Heimnetz", "DNS-Name der Arbeitsstationsdom\x84ne   (null)"}, "Heimnetz"},
        {{"  Workstation domain   MY GROUP  ", "Workstation Domain DNS Name   (null)"}, "MY GROUP"},
        {{"Arbeitsstationsdom\x84ne"}, ""},
    };
    for (const Workgroup& w : workgroups) {
        std::string found = "OLD";
        for (const std::string& line : w.lines)
            WorkgroupFromLine(line, found);
        EXPECT_EQ(found, w.expected) << w.lines.front();
    }
    // Vista and later answer a ping of the own name over IPv6; such a bracket must neither be read
    // as an address ("2a02:..." once gave 2.0.0.0) nor keep an old one.
    using B = PingBracket;
    struct Ping { const char* line; B bracket; const char* address; };
    const Ping pings[] = {
        {"Ping wird ausgef\x81hrt f\x81r PC [192.168.0.5] mit 32 Bytes Daten:", B::Ipv4, "192.168.0.5"},
        {"Pinging OFFICE1 [ 10.0.0.7 ] with 32 bytes of data:", B::Ipv4, "10.0.0.7"},
        {"PC [10.0.0.7", B::Ipv4, ""}, {"PC ]x[10.0.0.7", B::Ipv4, ""}, {"PC [::ffff:10.0.0.7]", B::Ipv6, ""},
        {"Pinging PC [2a02:2454:95ac:1600:b95:6f1f:d2dc:9710] with 32 bytes of data:", B::Ipv6, ""},
        {"Antwort von fe80::1%11: Zeit<1ms", B::None, "old"},
    };
    for (const Ping& p : pings) {
        std::string address = "old";
        EXPECT_EQ(OwnAddressFromLine(p.line, address), p.bracket) << p.line;
        EXPECT_EQ(address, p.address) << p.line;
    }
}

TEST(PublicAddressFromPage, FromIpKeyOrFourthCharacterToFirstTagAndOnlyFourNumbersUpTo255)
{
    const std::string filler(publicIpPageSize - 13, 'x');
    const std::pair<std::string, const char*> cases[] = {
        {"Your IP: 84.12.3.4<br>\r\n", "84.12.3.4"}, {"IP: 10.0.0.1", "10.0.0.1"}, {"abc1.2.3.4<", "1.2.3.4"},
        {"<p>IP: 1.2.3.4</p><p>IP: 5.6.7.8</p>", "1.2.3.4"}, {"IP:   10.200.0.2   <br>", "10.200.0.2"},
        {filler + "IP: 5.6.7.8<b", "5.6.7.8"}, {filler + "123456789IP: ", ""}, {"<html>Not Found</html>", ""},
        {"IP: 1.2.3.4.5<br>", "1.2.3.4"}, {"IP: 1. 2.  3.4x", "1.2.3.4"},
        {"IP: 255.255.255.255\n", "255.255.255.255"},
        // Anything but four numbers 0 to 255 reads as no address, not as carried or partial numbers.
        {"IP: 1.2.3.256", ""}, {"IP: 10.1", ""}, {"IP: 0001.2.3.4", ""}, {"IP: 1.-2.3.4", ""}, {"IP: 1..3.4", ""},
    };
    for (const auto& [body, address] : cases) {
        std::string page = Blanks(publicIpPageSize);  // what the read leaves untouched stays blank
        page.replace(0, body.size(), body);
        EXPECT_EQ(AddressNumbersFromText(PublicAddressFromPage(page)), AddressNumbersFromText(address))
            << body.substr(0, 30);
    }
}

TEST(StartUp, MemoryWindowsVersionCaptureFolderAndCommandLines)
{
    // Halves round to even: 511.5 and 512.5 MB both give 512.
    for (const auto& [bytes, megabytes] : {std::pair(536346624.0f, 512), {537395200.0f, 512}, {25769803776.0f, 24576}})
        EXPECT_EQ(MegabytesFromBytes(bytes), megabytes) << bytes;
    // The versions that are not run end to end.
    struct Version { uint32_t platform, major, minor; int code; const char* name; };
    for (const Version& v : {Version{1, 4, 0, 10, "Windows 95"}, Version{1, 4, 90, 40, "Windows ME"},
                             Version{1, 4, 20, 100, "Windows Future"}, Version{2, 3, 51, 5, "Windows NT 3.51"},
                             Version{2, 5, 2, 100, "Windows Future"}, Version{0, 5, 1, 100, "Windows Future"}}) {
        EXPECT_EQ(OsVersionCodeFor(v.platform, v.major, v.minor), v.code) << v.name << v.major << v.minor;
        EXPECT_STREQ(WindowsNameFor(v.code), v.name);
    }
    // cmd expands %NAME% even inside quotes: such a start folder, or none, sends the captures to the
    // temporary folder; when that is no better, there is no capture path at all.
    const std::pair<std::string, const char*> texts[] = {
        {CaptureFolderFor("C:\\W & Co", "C:\\T\\"), "C:\\W & Co"}, {CaptureFolderFor("", "D:\\T\\"), "D:\\T"},
        {CaptureFolderFor("C:\\100%", "C:\\T\\"), "C:\\T"}, {CaptureFolderFor("%", "C:\\T%x\\"), ""},
        {CapturePathsFor(CaptureFolderFor("C:\\%A%", "C:\\")).ping, "C:\\123.txt"},
        {CapturePathsFor("C:\\").session, "C:\\\\bes.txt"},
        {CapturePathsFor("").workstation + CapturePathsFor("").session + CapturePathsFor("").ping, ""},
        // Blanks and & in folders and names stay inside quotes; a stray quote is dropped.
        {WorkstationCaptureParameters("C:\\W & C\\2345.txt"), " /c Net config workstation > \"C:\\W & C\\2345.txt\""},
        {PingCaptureParameters("PC&\"1", "C:\\W\\123.txt"), " /c Ping -n 1 \"PC&1\" > \"C:\\W\\123.txt\""},
    };
    for (const auto& [actual, expected] : texts)
        EXPECT_EQ(actual, expected);
}
