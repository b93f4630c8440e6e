#include "app/command_menu.h"

#include "toolkit/command_line.h"

const std::vector<CommandEntry>& CommandEntries()
{
    using A = CommandAction;
    static const std::vector<CommandEntry> entries = {
        {"ipconfig -all", false, A::Launch, "cmd", " /k ipconfig -all"},
        {"Ping IP", false, A::LaunchWithAddress, "cmd", " /k ping "},
        {"Ping IP -t   (endlos Ping)", false, A::LaunchWithAddress, "cmd", " /k ping -t "},
        {"Ping Localhost", false, A::Launch, "cmd", " /k Ping 127.0.0.1"},
        {"Eigene IP", false, A::OwnAddress, "", ""},
        {"Net config workstation", false, A::Launch, "cmd", " /k Net config workstation"},
        {"Net config server", false, A::Launch, "cmd", " /k Net config server"},
        {"Tracert IP", false, A::LaunchWithAddress, "cmd", " /k tracert "},
        {"Netstat", false, A::Launch, "cmd", " /k Netstat"},
        {"Msinfo32.exe", false, A::Launch, "msinfo32.exe", ""},
        // The labels say /release and /renew; ipconfig takes the dash forms too.
        {"DHCP ipconfig /release", false, A::Launch, "cmd", " /k ipconfig -release"},
        {"DHCP ipconfig /renew", false, A::Launch, "cmd", " /k ipconfig -renew"},
        {"Windows Version", false, A::Launch, "winver", ""},
        {"Netzwerkeigenschaften", false, A::Launch, "control", " ncpa.cpl"},
        {"Systemeigenschaften", false, A::Launch, "control", " sysdm.cpl"},
        {"Internet IP (auch hinter Router)", false, A::PublicAddress, "", ""},
        {"Freigaben anzeigen", false, A::Launch, "cmd", " /k net share"},
        {"Net Session (Besucher)", false, A::SessionList, "cmd", ""},
        {"msconfig  XP", true, A::Launch, "msconfig", ""},
        // /c: this console closes when the diagnostics window has opened.
        {"netsh diag Gui  XP", true, A::Launch, "cmd", " /c netsh diag gui"},
        {"Systeminfo XP", true, A::Launch, "cmd", " /k systeminfo"},
        {"Befehlsreferenz   XP", true, A::Launch, "hh.exe", " ntcmds.chm::/ntcmds.htm"},
    };
    return entries;
}

std::vector<std::string> MenuLabels(bool windowsXp)
{
    std::vector<std::string> labels;
    for (const CommandEntry& entry : CommandEntries())
        if (windowsXp || !entry.xpOnly)
            labels.emplace_back(entry.label);
    return labels;
}

std::string SessionCaptureParameters(std::string_view capturePath)
{
    return " /c net session > " + Quoted(capturePath);
}

std::string SessionViewerParameters(std::string_view capturePath)
{
    const std::string path = Quoted(capturePath);
    return " /K more < " + path + " & del " + path;
}
