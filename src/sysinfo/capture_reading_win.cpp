#include "sysinfo/capture_reading.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "sysinfo/capture_parsing.h"
#include "toolkit/gadget.h"
#include "toolkit/launch.h"
#include "toolkit/text.h"
#include "toolkit/text_file.h"

#include <windows.h>

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

void ReadWorkgroup()
{
    // The last matching line wins.
    ReadCapture(appState.WorkstationCapturePath, [](const std::string& line) {
        WorkgroupFromLine(line, appState.WorkgroupName);
    });
    // net writes in the console's OEM code page (850 on German Windows):
    // "BÜRO" arrives as 42 9A 52 4F and is shown in the labels' ANSI code page.
    std::string& name = appState.WorkgroupName;
    if (!name.empty())
        OemToCharBuffA(name.data(), name.data(), static_cast<DWORD>(name.size()));
}

bool ReadPingCapture()
{
    bool overIpv6 = false;
    ReadCapture(appState.PingCapturePath, [&overIpv6](const std::string& line) {
        const PingBracket bracket = OwnAddressFromLine(line, appState.OwnAddressText);
        if (bracket != PingBracket::None)
            overIpv6 = bracket == PingBracket::Ipv6;
    });
    return overIpv6;
}

void ReadOwnAddress()
{
    ReadPingCapture();
    ShowAddressInIpField(appState.OwnAddressText);
}

void BuildInfoLinkCaption()
{
    appState.InfoLinkCaption = UnscrambleCaption(storedInfoLinkCaption);
}

void ShowAddressInIpField(std::string_view dotted)
{
    appState.AddressNumbers = AddressNumbersFromText(dotted);
    GadgetSetState(GadgetIpField, static_cast<int32_t>(PackAddress(appState.AddressNumbers)));
}
