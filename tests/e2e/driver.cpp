#include "driver.h"

#include <cstring>

namespace {

// Sends a list-view message whose structure, and the text it points to, must
// lie inside the program; returns the structure as the program left it.
template <typename T>
T SendRemote(HWND list, UINT message, WPARAM wParam, T data, std::string* text = nullptr)
{
    DWORD id = 0;
    GetWindowThreadProcessId(list, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    if constexpr (requires { data.pszText; })
        data.pszText = remote + 1024, data.cchTextMax = 1023;
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

const char* const plantedPrograms[] = {"cmd.exe",     "command.com", "net.exe",      "ping.exe",
                                       "ipconfig.exe", "netstat.exe", "winver.exe",   "control.exe",
                                       "msconfig.exe", "msinfo32.exe", "hh.exe"};
const char* const plantedDlls[] = {"comctl32.dll", "iphlpapi.dll", "netapi32.dll", "wsock32.dll",
                                   "wininet.dll",  "ws2_32.dll",   "icmp.dll"};

bool ProductIs32Bit()
{
    DWORD type = SCS_64BIT_BINARY;
    return GetBinaryTypeA(WindowsPathOf(Environment("WK_PRODUCT_EXE")).c_str(), &type) && type == SCS_32BIT_BINARY;
}

} // namespace

namespace {

const char* const standInNames[] = {"cmd.exe", "winver.exe", "control.exe", "msconfig.exe", "msinfo32.exe", "hh.exe"};

std::vector<std::string> StandInPaths()
{
    // A 32-bit process is shown syswow64 under both names: list it once, or the second pass
    // would keep the first pass's stand-in as Wine's own file.
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    std::vector<std::string> paths{"C:\\windows\\hh.exe"};
    for (const char* folder : {"C:\\windows\\system32\\", "C:\\windows\\syswow64\\"})
        for (const char* name : standInNames)
            if (!wow64 || std::strstr(folder, "system32"))
                paths.push_back(folder + std::string(name));
    return paths;
}

} // namespace

void UseStandIns(bool on)
{
    const std::string standIn = WindowsPathOf(Environment("WK_STAND_IN_DIR") + "/fake_cmd.exe");
    for (const std::string& path : StandInPaths()) {
        const std::string wines = path + ".wk-wine";  // Wine's own file, where it had one
        if (!on) {
            if (!CopyFileA(wines.c_str(), path.c_str(), FALSE))
                DeleteFileA(path.c_str());
            continue;
        }
        if (GetFileAttributesA(wines.c_str()) == INVALID_FILE_ATTRIBUTES)
            CopyFileA(path.c_str(), wines.c_str(), TRUE);
        CopyFileA(standIn.c_str(), path.c_str(), FALSE);
    }
    for (const char* name : standInNames)
        on ? RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", name, REG_SZ, "native", 7)
           : RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", name);
}

void PlaceStandIns()
{
    static struct Placed {
        bool done = false;
        ~Placed() { done ? UseStandIns(false) : void(); }
    } placed;
    if (!placed.done)
        UseStandIns(true), placed.done = true;
}

std::string ProductSystemFolder()
{
    return ProductIs32Bit() ? "C:\\windows\\syswow64" : "C:\\windows\\system32";
}

Session::Session(const std::string& startFolderName, const std::string& version,
                 const std::map<std::string, std::string>& environment)
{
    static int number = 0;
    const std::string root = "C:\\wk-e2e\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++number);
    const std::string exe = (version.empty() ? "wendelkamm" : "wk-" + version) + ".exe";
    programFolder = root + "\\prog\\", startFolder = root + "\\" + startFolderName, logPath = root + "\\launches.log";
    for (const std::string& folder : {std::string("C:\\wk-e2e"), root, programFolder, startFolder})
        CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA(logPath.c_str());  // left by an earlier run with the same process id
    const std::string appDefaults = "Software\\Wine\\AppDefaults\\" + exe;
    if (!version.empty())
        RegSetKeyValueA(HKEY_CURRENT_USER, appDefaults.c_str(), "Version", REG_SZ, version.c_str(),
                        static_cast<DWORD>(version.size() + 1));
    for (const char* name : plantedDlls)
        RegSetKeyValueA(HKEY_CURRENT_USER, (appDefaults + "\\DllOverrides").c_str(),
                        std::string(name, std::strlen(name) - 4).c_str(), REG_SZ, "native,builtin", 15);
    CopyFileA(WindowsPathOf(Environment("WK_PRODUCT_EXE")).c_str(), (programFolder + exe).c_str(), FALSE);
    PlaceStandIns();
    const std::string standIns = Environment("WK_STAND_IN_DIR");
    for (const char* name : plantedPrograms)
        CopyFileA(WindowsPathOf(standIns + "/fake_cmd.exe").c_str(), (programFolder + name).c_str(), FALSE);
    const std::string plantedDll = WindowsPathOf(standIns + (ProductIs32Bit() ? "/planted32.dll" : "/planted64.dll"));
    for (const char* name : plantedDlls)
        CopyFileA(plantedDll.c_str(), (programFolder + name).c_str(), FALSE);
    SetEnvironmentVariableA("WK_LAUNCH_LOG", logPath.c_str());
    for (const char* name : {"WK_FAKE_WORKGROUP", "WK_FAKE_EARLIER_WORKGROUP", "WK_FAKE_ADDRESS", "WK_FAKE_ADDRESS6",
                             "WK_FAKE_DELAY_MS", "WK_FAKE_FILLER_BYTES"})
        SetEnvironmentVariableA(name, nullptr);
    for (const auto& [name, value] : environment)
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    std::string commandLine = "\"" + programFolder + exe + "\"";
    STARTUPINFOA startup{sizeof startup};
    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, 0, 0, nullptr, startFolder.c_str(), &startup, &info_);
    CloseHandle(info_.hThread);
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
        auto running = std::find_if(launches.rbegin(), launches.rend(), [](auto& l) { return !l.endTick; });
        if (tick && f[0] == "ended" && running != launches.rend())
            running->endTick = tick;
    }
    return launches;
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM list)  // stdcall on 32-bit: no lambda
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::string Session::Planted() const
{
    std::string planted;
    std::istringstream lines(ReadFileText(logPath));
    for (std::string line; std::getline(lines, line);) {
        std::string lower = line;
        CharLowerA(lower.data());
        std::string folder = programFolder;
        CharLowerA(folder.data());
        if (lower.starts_with("loaded\t") || (lower.starts_with("launch\t") && lower.find("\t" + folder) != std::string::npos))
            planted += line + "\n";
    }
    return planted;
}

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [&](HWND window) {
        DWORD owner = 0;
        return GetWindowThreadProcessId(window, &owner), owner != processId;
    });
    return windows;
}

void SetIpField(HWND ipField, const std::string& dotted)
{
    std::vector<HWND> edits;
    for (HWND child = GetWindow(ipField, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        edits.push_back(child);
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
    std::istringstream parts(dotted);
    std::string part;
    for (HWND edit : edits)
        std::getline(parts, part, '.'), SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)part.c_str());
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
