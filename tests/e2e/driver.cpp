#include "driver.h"

#include <cstring>
#include <regex>

namespace {

const char* const standIns[] = {"cmd.exe", "winver.exe", "control.exe", "msconfig.exe", "msinfo32.exe", "hh.exe"};
const char* const plantedPrograms[] = {"cmd.exe", "command.com", "net.exe", "ping.exe", "ipconfig.exe", "netstat.exe",
                                       "winver.exe", "control.exe", "msconfig.exe", "msinfo32.exe", "hh.exe"};
const char* const plantedDlls[] = {"comctl32", "iphlpapi", "netapi32", "wsock32", "wininet", "ws2_32", "icmp"};

// Sends a list-view message whose structure, and the text it points to, must lie inside the program;
// returns the structure as the program left it and the text.
template <typename T>
std::pair<T, std::string> SendRemote(HWND list, UINT message, WPARAM wParam, T data)
{
    DWORD id = 0;
    GetWindowThreadProcessId(list, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    if constexpr (requires { data.pszText; }) {
        data.pszText = remote + 1024;
        data.cchTextMax = 1023;
    }
    char text[1024] = {};
    WriteProcessMemory(process, remote, &data, sizeof data, nullptr);
    SendMessageA(list, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &data, sizeof data, nullptr);
    ReadProcessMemory(process, remote + 1024, text, sizeof text - 1, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return {data, text};
}

} // namespace

// In the system folder as this process sees it (a 32-bit one is shown syswow64 as system32), so in the
// one the exe of this build sees; with Wine's own file kept beside each as NAME.wk-wine.
void UseStandIns(bool on)
{
    const std::string standIn = WindowsPathOf(Environment("WK_STAND_IN_DIR") + "/fake_cmd.exe");
    for (const char* name : standIns) {
        for (const std::string& path : {"C:\\windows\\system32\\" + std::string(name), "C:\\windows\\" + std::string(name)}) {
            const std::string wines = path + ".wk-wine";
            if (on && GetFileAttributesA(wines.c_str()) == INVALID_FILE_ATTRIBUTES)
                CopyFileA(path.c_str(), wines.c_str(), TRUE);
            if (on)
                CopyFileA(standIn.c_str(), path.c_str(), FALSE);
            else if (!CopyFileA(wines.c_str(), path.c_str(), FALSE))
                DeleteFileA(path.c_str());
        }
        if (on)
            RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", name, REG_SZ, "native", 7);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", name);
    }
}

void PlaceStandIns()
{
    static struct Placed {
        Placed() { UseStandIns(true); }
        ~Placed() { UseStandIns(false); }
    } placed;
}

Session::Session(const std::string& startFolderName, const std::string& version,
                 const std::map<std::string, std::string>& environment)
{
    const std::string root = "C:\\wk-e2e\\" + std::to_string(GetTickCount());  // a new one for every session
    const std::string exe = (version.empty() ? "wendelkamm" : "wk-" + version) + ".exe";
    const std::string standIns = Environment("WK_STAND_IN_DIR"), appDefaults = "Software\\Wine\\AppDefaults\\" + exe;
    programFolder = root + "\\prog\\";
    startFolder = root + "\\" + startFolderName;
    logPath = root + "\\launches.log";
    DeleteFileA(logPath.c_str());  // a session of an earlier boot may have had the same tick
    for (const std::string& folder : {std::string("C:\\wk-e2e"), root, programFolder, startFolder})
        CreateDirectoryA(folder.c_str(), nullptr);
    if (!version.empty())
        RegSetKeyValueA(HKEY_CURRENT_USER, appDefaults.c_str(), "Version", REG_SZ, version.c_str(), version.size() + 1);
    const std::string plantedDll = WindowsPathOf(standIns + (sizeof(void*) == 4 ? "/planted32.dll" : "/planted64.dll"));
    for (const std::string name : plantedDlls) {  // preferred to Wine's own, as Windows prefers these beside the exe
        RegSetKeyValueA(HKEY_CURRENT_USER, (appDefaults + "\\DllOverrides").c_str(), name.c_str(), REG_SZ, "native,builtin", 15);
        CopyFileA(plantedDll.c_str(), (programFolder + name + ".dll").c_str(), FALSE);
    }
    for (const char* name : plantedPrograms)
        CopyFileA(WindowsPathOf(standIns + "/fake_cmd.exe").c_str(), (programFolder + name).c_str(), FALSE);
    CopyFileA(WindowsPathOf(Environment("WK_PRODUCT_EXE")).c_str(), (programFolder + exe).c_str(), FALSE);
    PlaceStandIns();
    std::string block;  // the given variables before this process's own: a lookup takes the first of a name
    for (const auto& [name, value] : environment)
        block += name + "=" + value + '\0';
    block += "WK_LAUNCH_LOG=" + logPath + '\0';
    for (const char* variable = GetEnvironmentStringsA(); *variable; variable += std::strlen(variable) + 1)
        block += variable + std::string(1, '\0');  // the block ends with the string's own terminating NUL
    std::string commandLine = "\"" + programFolder + exe + "\"";
    STARTUPINFOA startup{sizeof startup};
    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, 0, 0, block.data(), startFolder.c_str(), &startup, &info_);
    CloseHandle(info_.hThread);
}

// Each ended launch logged its line "tick\tend tick\tshow\tfolder\tmodule\tcommand line"; the other
// lines ("paged", "loaded") do not match.
std::vector<Launch> Session::Launches() const
{
    static const std::regex line("(\\d+)\t(\\d+)\t(-?\\d+)\t([^\t]*)\t([^\t]*)\t([^\r]*)");
    const std::string log = ReadFileText(logPath);
    std::vector<Launch> launches;
    for (std::sregex_iterator match(log.begin(), log.end(), line), end; match != end; ++match)
        launches.push_back({std::stoul(match->str(1)), std::stoul(match->str(2)), std::stoi(match->str(3)), match->str(4),
                            match->str(5), match->str(6)});
    return launches;
}

std::vector<std::string> ListTable(HWND list)
{
    std::vector<std::string> table(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) + 1);
    for (int column = 0; column < Header_GetItemCount(ListView_GetHeader(list)); ++column) {
        const std::string separator = column ? "|" : "";
        const auto [header, title] = SendRemote(list, LVM_GETCOLUMNA, column, LVCOLUMNA{LVCF_TEXT | LVCF_WIDTH});
        table[0] += separator + title + ":" + std::to_string(header.cx);
        for (size_t row = 1; row < table.size(); ++row)
            table[row] += separator + SendRemote(list, LVM_GETITEMTEXTA, row - 1, LVITEMA{0, 0, column}).second;
    }
    return table;
}

void ClickListRow(HWND list, int row)  // into the row's first cell
{
    const RECT bounds = SendRemote(list, LVM_GETITEMRECT, row, RECT{LVIR_LABEL}).first;
    POINT point{bounds.left + 10, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(list, &point);
    SetForegroundWindow(GetAncestor(list, GA_ROOT));
    SetCursorPos(point.x, point.y);  // the real pointer
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
