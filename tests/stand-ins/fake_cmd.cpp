// Stands in for cmd.exe and the other programs the menu starts. After WK_FAKE_DELAY_MS it appends
// "<start tick>\t<end tick>\t<show or -1>\t<folder>\t<module>\t<command line>" to WK_LAUNCH_LOG.
// "... > FILE" gets German console output of net config workstation (workgroup WK_FAKE_WORKGROUP, after
// a line for WK_FAKE_EARLIER_WORKGROUP if set; both given in ANSI, written in the OEM code page), ping
// (address WK_FAKE_ADDRESS; with WK_FAKE_ADDRESS6 set, a ping without -4 answers over that IPv6 address
// as Vista and later do) or net session, after WK_FAKE_FILLER_BYTES bytes without a line break;
// "more < FILE" logs "paged\t<file>\t<content>" and, with "& del", deletes the file.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

static std::string Setting(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// Appended by the system in one piece, as several copies may run at once.
static void Append(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, 0);
    DWORD written;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// In ANSI, as the settings are given; written in the console's OEM code page.
static std::string CaptureOutput(const std::string& command)
{
    const std::string group = Setting("WK_FAKE_WORKGROUP", "ARBEITSGRUPPE"), ip = Setting("WK_FAKE_ADDRESS", "10.0.0.7");
    const std::string earlier = Setting("WK_FAKE_EARLIER_WORKGROUP", ""), ip6 = Setting("WK_FAKE_ADDRESS6", "");
    if (command.find("Net config workstation") != std::string::npos)
        return "Computername                              \\\\WKTEST\r\nBenutzername                              "
               "tester\r\n\r\n" + (earlier.empty() ? "" : "Arbeitsstationsdom\xE4ne                     " + earlier + "\r\n") +
               "Arbeitsstationsdom\xE4ne                     " + group + "\r\n"
               "DNS-Name der Arbeitsstationsdom\xE4ne        (null)\r\nAnmeldedom\xE4ne                             "
               "WKTEST\r\n\r\nDer Befehl wurde erfolgreich ausgef\xFChrt.\r\n\r\n";
    const std::string answer = command.find("Ping -n 1") != std::string::npos && !ip6.empty() ? ip6 : ip;
    if (command.find(" -n 1 ") != std::string::npos)
        return "\r\nPing wird ausgef\xFChrt f\xFCr WKTEST [" + answer + "] mit 32 Bytes Daten:\r\n\r\n"
               "Antwort von " + answer + ": Bytes=32 Zeit<1ms TTL=128\r\n\r\nPing-Statistik f\xFCr " + answer + ":\r\n";
    if (command.find("net session") != std::string::npos)
        return "Computer               Benutzername         Client-Typ       Leerlaufzeit\r\n";
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
    const std::string started = std::to_string(GetTickCount());
    const size_t redirect = commandLine.rfind('>'), pager = commandLine.find("more < \"");
    std::string output = redirect == std::string::npos ? "" : CaptureOutput(commandLine);
    CharToOemBuffA(output.data(), output.data(), static_cast<DWORD>(output.size()));
    if (!output.empty()) {
        std::string target = commandLine.substr(commandLine.find_first_not_of(" \"", redirect + 1));
        target.erase(target.find_last_not_of(" \"") + 1);
        std::ofstream(target, std::ios::binary) << std::string(std::atoi(Setting("WK_FAKE_FILLER_BYTES", "0").c_str()), 'x') << output;
    }
    if (pager != std::string::npos) {
        std::string source = commandLine.substr(pager + 8);
        source.erase(source.find('"'));
        std::string content;  // its first line, read and closed before the file is deleted
        std::getline(std::ifstream(source, std::ios::binary), content);
        Append(log, "paged\t" + source + '\t' + content + "\n");
        if (commandLine.find("& del ") != std::string::npos)
            DeleteFileA(source.c_str());
    }
    Sleep(static_cast<DWORD>(std::atoi(Setting("WK_FAKE_DELAY_MS", "0").c_str())));
    Append(log, started + '\t' + std::to_string(GetTickCount()) + '\t' + std::to_string(show) + '\t' + folder + '\t' +
                    module + '\t' + commandLine + "\r\n");
}
