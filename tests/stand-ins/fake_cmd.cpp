// Stands in for the command interpreter in end-to-end tests. Copied as
// cmd.exe into the program's folder, it records every launch and plays the
// part of the commands that Wendelkamm reads back:
//   - "... > FILE" redirections get realistic console output of
//     net config workstation, ping or net session;
//   - "more < FILE & del FILE" pages nothing but records what it read and
//     deletes the file, as the real viewer console does once more ends.
// Environment:
//   WK_LAUNCH_LOG       file to append one line per launch to (required)
//   WK_FAKE_LANGUAGE    "en" for English output, German otherwise
//   WK_FAKE_WORKGROUP   workgroup name to report (default ARBEITSGRUPPE)
//   WK_FAKE_ADDRESS     own address the ping reports (default 10.0.0.7)
//   WK_FAKE_DELAY_MS    sleep this long before ending
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Environment(const char* name, const char* fallback)
{
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : fallback;
}

void Append(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void Write(const std::string& path, const std::string& text)
{
    DeleteFileA(path.c_str());
    Append(path, text);
}

std::string Trim(std::string text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '"'))
        text.erase(0, 1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '"'))
        text.pop_back();
    return text;
}

bool Contains(const std::string& text, const char* piece)
{
    return text.find(piece) != std::string::npos;
}

std::string WorkstationOutput(bool english, const std::string& workgroup)
{
    if (english)
        return "Computer name                        \\\\WKTEST\r\n"
               "Full Computer name                   wktest\r\n"
               "User name                            tester\r\n\r\n"
               "Workstation active on\r\n"
               "        NetbiosSmb (000000000000)\r\n\r\n"
               "Software version                     Windows 2002\r\n\r\n"
               "Workstation domain                   " + workgroup + "\r\n"
               "Workstation Domain DNS Name          (null)\r\n"
               "Logon domain                         WKTEST\r\n\r\n"
               "The command completed successfully.\r\n\r\n";
    // Console output is in the OEM code page: 0x84 is "\xE4", 0x94 "\xF6".
    return "Computername                              \\\\WKTEST\r\n"
           "Vollst\x84ndiger Computername                wktest\r\n"
           "Benutzername                              tester\r\n\r\n"
           "Arbeitsstation aktiv in\r\n"
           "        NetbiosSmb (000000000000)\r\n\r\n"
           "Softwareversion                           Windows 2002\r\n\r\n"
           "Arbeitsstationsdom\x84ne                     " + workgroup + "\r\n"
           "DNS-Name der Arbeitsstationsdom\x84ne        (null)\r\n"
           "Anmeldedom\x84ne                             WKTEST\r\n\r\n"
           "Der Befehl wurde erfolgreich ausgef\x81hrt.\r\n\r\n";
}

std::string PingOutput(bool english, const std::string& address)
{
    if (english)
        return "\r\nPinging WKTEST [" + address + "] with 32 bytes of data:\r\n\r\n"
               "Reply from " + address + ": bytes=32 time<1ms TTL=128\r\n\r\n"
               "Ping statistics for " + address + ":\r\n"
               "    Packets: Sent = 1, Received = 1, Lost = 0 (0% loss),\r\n";
    return "\r\nPing wird ausgef\x81hrt f\x81r WKTEST [" + address + "] mit 32 Bytes Daten:\r\n\r\n"
           "Antwort von " + address + ": Bytes=32 Zeit<1ms TTL=128\r\n\r\n"
           "Ping-Statistik f\x81r " + address + ":\r\n"
           "    Pakete: Gesendet = 1, Empfangen = 1, Verloren = 0 (0% Verlust),\r\n";
}

const char sessionOutput[] =
    "Computer               Benutzername         Client-Typ       Leerlaufzeit\r\n"
    "-------------------------------------------------------------------------\r\n"
    "\\\\BUERO2              MUELLER              Windows 2002     00:00:12\r\n"
    "Der Befehl wurde erfolgreich ausgef\x81hrt.\r\n";

std::string ReadWhole(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD got;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

} // namespace

int main()
{
    const std::string commandLine = GetCommandLineA();
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    const std::string log = Environment("WK_LAUNCH_LOG", "");
    char tick[32];
    std::snprintf(tick, sizeof tick, "%lu", GetTickCount());
    // One line per launch: start tick, show state, folder, module, command line.
    if (!log.empty())
        Append(log, std::string("launch\t") + tick + '\t' + std::to_string(show) + '\t' + folder +
                        '\t' + module + '\t' + commandLine + "\r\n");

    const bool english = Environment("WK_FAKE_LANGUAGE", "de") == "en";
    const size_t redirect = commandLine.rfind('>');
    if (redirect != std::string::npos) {
        const std::string target = Trim(commandLine.substr(redirect + 1));
        if (Contains(commandLine, "Net config workstation"))
            Write(target, WorkstationOutput(english,
                                            Environment("WK_FAKE_WORKGROUP", "ARBEITSGRUPPE")));
        else if (Contains(commandLine, "Ping -n 1"))
            Write(target, PingOutput(english, Environment("WK_FAKE_ADDRESS", "10.0.0.7")));
        else if (Contains(commandLine, "net session"))
            Write(target, sessionOutput);
    }

    const size_t pager = commandLine.find("more < ");
    if (pager != std::string::npos && !log.empty()) {
        // The path stands in quotes, or runs up to the next blank.
        size_t start = pager + 7;
        const bool quoted = start < commandLine.size() && commandLine[start] == '"';
        if (quoted)
            ++start;
        const size_t end = commandLine.find(quoted ? '"' : ' ', start);
        const std::string source =
            commandLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string content = ReadWhole(source);
        for (char& c : content)
            if (c == '\r' || c == '\n')
                c = '|';
        Append(log, "paged\t" + source + '\t' + content + "\r\n");
        if (Contains(commandLine, "& del "))
            DeleteFileA(source.c_str());
    }

    const int delay = std::atoi(Environment("WK_FAKE_DELAY_MS", "0").c_str());
    if (delay > 0)
        Sleep(static_cast<DWORD>(delay));
    if (!log.empty()) {
        std::snprintf(tick, sizeof tick, "%lu", GetTickCount());
        Append(log, std::string("ended\t") + tick + "\r\n");
    }
    return 0;
}
