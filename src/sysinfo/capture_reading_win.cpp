#include "sysinfo/capture_reading.h"

#include "sysinfo/capture_parsing.h"
#include "toolkit/launch.h"
#include "toolkit/text_file.h"

#include <windows.h>

#include <utility>

namespace {

// The hidden command has ended, but give the redirection a moment to be
// flushed and closed before the file is opened.
constexpr int captureSettleMilliseconds = 300;
constexpr int captureFileNumber = 0;

template <typename LineHandler>
void ReadCapture(const std::string& path, LineHandler handleLine)
{
    Pause(captureSettleMilliseconds);
    if (OpenTextFile(captureFileNumber, path)) {
        do
            handleLine(ReadTextLine());
        while (!AtEndOfFile(captureFileNumber));
        CloseTextFile(captureFileNumber);
    }
    RemoveFile(path);
}

} // namespace

std::string ReadWorkgroup(const std::string& capturePath)
{
    std::string name;
    // The last matching line wins.
    ReadCapture(capturePath, [&name](const std::string& line) { WorkgroupFromLine(line, name); });
    // net writes in the console's OEM code page (850 on German Windows):
    // "BÜRO" arrives as 42 9A 52 4F and is shown in the labels' ANSI code page.
    if (!name.empty())
        OemToCharBuffA(name.data(), name.data(), static_cast<DWORD>(name.size()));
    return name;
}

PingReading ReadPingCapture(const std::string& capturePath)
{
    PingReading reading;
    ReadCapture(capturePath, [&reading](const std::string& line) {
        const PingBracket bracket = OwnAddressFromLine(line, reading.address);
        if (bracket != PingBracket::None) {
            reading.named = true;
            reading.overIpv6 = bracket == PingBracket::Ipv6;
        }
    });
    return reading;
}

std::string ReadOwnAddress(const std::string& capturePath, std::string_view lastAddress)
{
    PingReading reading = ReadPingCapture(capturePath);
    return reading.named ? std::move(reading.address) : std::string(lastAddress);
}
