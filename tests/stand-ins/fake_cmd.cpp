// Stands in for cmd.exe and the other programs the menu starts. Appends "launch\t<tick>\t<show
// or -1>\t<folder>\t<module>\t<command line>" to WK_LAUNCH_LOG and, after WK_FAKE_DELAY_MS, "ended\t<tick>".
// "... > FILE" gets German console output of net config workstation (workgroup WK_FAKE_WORKGROUP, after
// a line for WK_FAKE_EARLIER_WORKGROUP if set; both given in ANSI, written in the OEM code page), ping
// (address WK_FAKE_ADDRESS; with WK_FAKE_ADDRESS6 set, a ping without -4 answers over that IPv6 address
// as Vista and later do) or net session, after WK_FAKE_FILLER_BYTES bytes without a line break;
// "more < FILE" logs "paged\t<file>\t<content>" and, with "& del", deletes the file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static std::string Setting(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// Appended by the system in one piece, as several copies may run at once.
static void Append(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// As a console program writes it: in the OEM code page.
static std::string Oem(std::string text)
{
    if (!text.empty())
        CharToOemBuffA(text.data(), text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// In the console's OEM code page: 0x84 is a-umlaut, 0x81 u-umlaut.
static std::string CaptureOutput(const std::string& command)
{
    const std::string group = Oem(Setting("WK_FAKE_WORKGROUP", "ARBEITSGRUPPE"));
    const std::string earlier = Oem(Setting("WK_FAKE_EARLIER_WORKGROUP", ""));
    const std::string ip = Setting("WK_FAKE_ADDRESS", "10.0.0.7");
    if (command.find("Net config workstation") != std::string::npos)
        return "Computername                              \\\\WKTEST\r\nBenutzername                              "
               "tester\r\n\r\n" + (earlier.empty() ? "" : "Arbeitsstationsdom\x84ne                     " + earlier +
               "\r\nSoftware-Version                          Windows 2002\r\n") +
               "Arbeitsstationsdom\x84ne                     " + group + "\r\n"
               "DNS-Name der Arbeitsstationsdom\x84ne        (null)\r\nAnmeldedom\x84ne                             "
               "WKTEST\r\n\r\nDer Befehl wurde erfolgreich ausgef\x81hrt.\r\n\r\n";
    const std::string ip6 = Setting("WK_FAKE_ADDRESS6", "");
    if (command.find("Ping -n 1") != std::string::npos && !ip6.empty())
        return "\r\nPing wird ausgef\x81hrt f\x81r WKTEST [" + ip6 + "] mit 32 Bytes Daten:\r\n"
               "Antwort von " + ip6 + ": Zeit<1ms\r\n\r\nPing-Statistik f\x81r " + ip6 + ":\r\n";
    if (command.find("Ping -n 1") != std::string::npos || command.find("Ping -4 -n 1") != std::string::npos)
        return "\r\nPing wird ausgef\x81hrt f\x81r WKTEST [" + ip + "] mit 32 Bytes Daten:\r\n\r\n"
               "Antwort von " + ip + ": Bytes=32 Zeit<1ms TTL=128\r\n\r\nPing-Statistik f\x81r " + ip + ":\r\n";
    if (command.find("net session") != std::string::npos)
        return "Computer               Benutzername         Client-Typ       Leerlaufzeit\r\n"
               "-------------------------------------------------------------------------\r\n"
               "\\\\BUERO2              MUELLER              Windows 2002     00:00:12\r\n"
               "Der Befehl wurde erfolgreich ausgef\x81hrt.\r\n";
    return "";
}

int main()
{
    const std::string commandLine = GetCommandLineA(), log = Setting("WK_LAUNCH_LOG", "");
    char folder[MAX_PATH] = {}, module[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    GetModuleFileNameA(nullptr, module, sizeof module);
    STARTUPINFOA startup{sizeof startup};
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    Append(log, "launch\t" + std::to_string(GetTickCount()) + '\t' + std::to_string(show) + '\t' + folder + '\t' +
                    module + '\t' + commandLine + "\r\n");
    const size_t redirect = commandLine.rfind('>'), pager = commandLine.find("more < \"");
    const std::string output = redirect == std::string::npos ? "" : CaptureOutput(commandLine);
    if (!output.empty()) {
        std::string target = commandLine.substr(commandLine.find_first_not_of(" \"", redirect + 1));
        target.erase(target.find_last_not_of(" \"") + 1);
        DeleteFileA(target.c_str());
        Append(target, std::string(std::strtoul(Setting("WK_FAKE_FILLER_BYTES", "0").c_str(), nullptr, 10), 'x'));
        Append(target, output);
    }
    if (pager != std::string::npos) {
        std::string source = commandLine.substr(pager + 8), content;
        source.erase(source.find('"'));
        if (FILE* file = std::fopen(source.c_str(), "rb")) {
            for (int c; (c = std::fgetc(file)) != EOF;)
                content += c == '\r' || c == '\n' ? '|' : static_cast<char>(c);
            std::fclose(file);
        }
        Append(log, "paged\t" + source + '\t' + content + "\r\n");
        if (commandLine.find("& del ") != std::string::npos)
            DeleteFileA(source.c_str());
    }
    Sleep(static_cast<DWORD>(std::atoi(Setting("WK_FAKE_DELAY_MS", "0").c_str())));
    Append(log, "ended\t" + std::to_string(GetTickCount()) + "\r\n");
}
