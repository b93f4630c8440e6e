#include "driver.h"

#include <cstring>

namespace {

const char* const standIns[] = {"cmd.exe", "winver.exe", "control.exe", "msconfig.exe", "msinfo32.exe", "hh.exe"};
const char* const plantedPrograms[] = {"cmd.exe",      "command.com", "net.exe",    "ping.exe",
                                       "ipconfig.exe", "netstat.exe", "winver.exe", "control.exe",
                                       "msconfig.exe", "msinfo32.exe", "hh.exe"};
const char* const plantedDlls[] = {"comctl32", "iphlpapi", "netapi32", "wsock32", "wininet", "ws2_32", "icmp"};

// Sends a list-view message whose structure, and the text it points to, must
// lie inside the program; returns the structure as the program left it.
template <typename T>
T SendRemote(HWND list, UINT message, WPARAM wParam, T data, std::string* text = nullptr)
{
    DWORD id = 0;
    GetWindowThreadProcessId(list, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    if constexpr (requires { data.pszText; }) {
        data.pszText = remote + 1024;
        data.cchTextMax = 1023;
    }
    char buffer[1024] = {};
    WriteProcessMemory(process, remote, &data, sizeof data, nullptr);
    SendMessageA(list, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &data, sizeof data, nullptr);
    ReadProcessMemory(process, remote + 1024, buffer, sizeof buffer - 1, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (text)
        *text = buffer;
    return data;
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
    static int number = 0;
    const std::string root = "C:\\wk-e2e\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++number);
    const std::string exe = (version.empty() ? "wendelkamm" : "wk-" + version) + ".exe";
    const std::string standIns = Environment("WK_STAND_IN_DIR"), appDefaults = "Software\\Wine\\AppDefaults\\" + exe;
    programFolder = root + "\\prog\\";
    startFolder = root + "\\" + startFolderName;
    logPath = root + "\\launches.log";
    for (const std::string& folder : {std::string("C:\\wk-e2e"), root, programFolder, startFolder})
        CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA(logPath.c_str());  // left by an earlier run with the same process id
    if (!version.empty())
        RegSetKeyValueA(HKEY_CURRENT_USER, appDefaults.c_str(), "Version", REG_SZ, version.c_str(),
                        static_cast<DWORD>(version.size() + 1));
    const std::string plantedDll = WindowsPathOf(standIns + (sizeof(void*) == 4 ? "/planted32.dll" : "/planted64.dll"));
    for (const std::string name : plantedDlls) {  // preferred to Wine's own, as Windows prefers these beside the exe
        RegSetKeyValueA(HKEY_CURRENT_USER, (appDefaults + "\\DllOverrides").c_str(), name.c_str(), REG_SZ, "native,builtin", 15);
        CopyFileA(plantedDll.c_str(), (programFolder + name + ".dll").c_str(), FALSE);
    }
    for (const char* name : plantedPrograms)
        CopyFileA(WindowsPathOf(standIns + "/fake_cmd.exe").c_str(), (programFolder + name).c_str(), FALSE);
    CopyFileA(WindowsPathOf(Environment("WK_PRODUCT_EXE")).c_str(), (programFolder + exe).c_str(), FALSE);
    PlaceStandIns();
    std::map<std::string, std::string> before;  // set back once started ("" unset), as this program started
    for (const auto& [name, value] : environment) {
        before[name] = Environment(name.c_str());
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    SetEnvironmentVariableA("WK_LAUNCH_LOG", logPath.c_str());
    std::string commandLine = "\"" + programFolder + exe + "\"";
    STARTUPINFOA startup{sizeof startup};
    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, 0, 0, nullptr, startFolder.c_str(), &startup, &info_);
    CloseHandle(info_.hThread);
    for (const auto& [name, value] : before)
        SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

// Log lines: "launch\ttick\tshow\tfolder\tmodule\tcommand line", "ended\ttick".
std::vector<Launch> Session::Launches() const
{
    std::vector<Launch> launches;
    std::istringstream lines(ReadFileText(logPath));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line.substr(0, line.find('\r')));
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field);
        const unsigned long tick = f.size() >= 2 ? std::strtoul(f[1].c_str(), nullptr, 10) : 0;
        if (f.size() >= 6 && f[0] == "launch")
            launches.push_back({tick, 0, std::atoi(f[2].c_str()), f[3], f[4], f[5]});
        auto running = std::find_if(launches.rbegin(), launches.rend(), [](const Launch& l) { return !l.endTick; });
        if (tick && f[0] == "ended" && running != launches.rend())
            running->endTick = tick;
    }
    return launches;
}

void SetIpField(HWND ipField, const std::string& dotted)
{
    std::vector<HWND> edits;
    for (HWND child = GetWindow(ipField, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        edits.push_back(child);
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
    std::istringstream parts(dotted);
    std::string part;
    for (HWND edit : edits) {
        std::getline(parts, part, '.');
        SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)part.c_str());
    }
}

std::vector<std::string> ListTable(HWND list)
{
    std::vector<std::string> table(static_cast<size_t>(ListRowCount(list)) + 1);
    for (int column = 0; column < Header_GetItemCount(ListView_GetHeader(list)); ++column) {
        std::string text, separator = column ? "|" : "";
        const int width = SendRemote(list, LVM_GETCOLUMNA, column, LVCOLUMNA{LVCF_TEXT | LVCF_WIDTH}, &text).cx;
        table[0] += separator + text + ":" + std::to_string(width);
        for (size_t row = 1; row < table.size(); ++row) {
            SendRemote(list, LVM_GETITEMTEXTA, row - 1, LVITEMA{0, 0, column}, &text);
            table[row] += separator + text;
        }
    }
    return table;
}

void ClickListRow(HWND list, int row)  // into the row's first cell
{
    const RECT bounds = SendRemote(list, LVM_GETITEMRECT, row, RECT{LVIR_LABEL});
    POINT point{bounds.left + 10, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(list, &point);
    SetForegroundWindow(GetAncestor(list, GA_ROOT));
    LeftClickAt(point.x, point.y);
}
