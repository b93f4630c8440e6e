#include "driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

const char mainTitle[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";

// A block of memory inside the program under test, for messages whose
// parameters point to memory.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : size_(size)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(size_t offset, const void* data, size_t size) const
    {
        WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const
    {
        ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }
    std::string ReadText(size_t offset, size_t capacity) const
    {
        std::string text(capacity, '\0');
        Read(offset, text.data(), capacity);
        text.resize(strnlen(text.c_str(), capacity));
        return text;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

std::vector<HWND> InnerEdits(HWND ipField)
{
    std::vector<HWND> edits;
    EnumChildWindows(
        ipField,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&edits));
    std::sort(edits.begin(), edits.end(),
              [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
    return edits;
}

} // namespace

std::string WindowsPathOf(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ReadFileText(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string content;
    char buffer[4096];
    DWORD got;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string LowerPath(std::string path)
{
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

Session::Session(const SessionOptions& options)
{
    static int sessionNumber = 0;
    const std::string root =
        "C:\\wk-e2e\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++sessionNumber) + "\\";
    CreateDirectoryA("C:\\wk-e2e", nullptr);
    CreateDirectoryA(root.c_str(), nullptr);
    programFolder = root + "prog\\";
    startFolder = root + options.startFolderName;
    logPath = root + "launches.log";
    DeleteFileA(logPath.c_str());  // left by an earlier run with the same process id
    CreateDirectoryA(programFolder.c_str(), nullptr);
    CreateDirectoryA(startFolder.c_str(), nullptr);

    const std::string exe = programFolder + options.exeName;
    if (!options.windowsVersion.empty()) {
        const std::string key = "Software\\Wine\\AppDefaults\\" + options.exeName;
        HKEY handle;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &handle, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(handle, "Version", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(options.windowsVersion.c_str()),
                           static_cast<DWORD>(options.windowsVersion.size() + 1));
            RegCloseKey(handle);
        }
    }
    CopyFileA(WindowsPathOf(Environment("WK_PRODUCT_EXE")).c_str(), exe.c_str(), FALSE);
    // The shell finds programs in the current directory, the program folder,
    // before the system's: the stand-in plays every program the menu starts.
    if (options.fakeCmd)
        for (const char* name : {"cmd.exe", "winver.exe", "control.exe", "msconfig.exe"})
            CopyFileA(WindowsPathOf(Environment("WK_STAND_IN_DIR") + "/fake_cmd.exe").c_str(),
                      (programFolder + name).c_str(), FALSE);

    SetEnvironmentVariableA("WK_LAUNCH_LOG", logPath.c_str());
    for (const char* name : {"WK_FAKE_LANGUAGE", "WK_FAKE_WORKGROUP", "WK_FAKE_ADDRESS", "WK_FAKE_DELAY_MS"})
        SetEnvironmentVariableA(name, nullptr);
    for (const auto& [name, value] : options.environment)
        SetEnvironmentVariableA(name.c_str(), value.c_str());

    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       startFolder.c_str(), &startup, &info)) {
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        threadId_ = info.dwThreadId;
        CloseHandle(info.hThread);
    }
}

Session::~Session()
{
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
}

HWND Session::Main()
{
    if (main_ || !process_)
        return main_;
    main_ = WaitForWindow(processId_, mainTitle, 20000);
    if (main_) {
        // The last text set while building; then the loop starts.
        WaitUntil([this] { return !TextOf(GetDlgItem(main_, 16)).empty(); }, 20000);
        WaitForInputIdle(process_, 5000);
    }
    return main_;
}

HWND Session::Control(int id)
{
    return GetDlgItem(Main(), id);
}

DWORD Session::WaitForExit(DWORD milliseconds)
{
    DWORD code = STILL_ACTIVE;
    if (process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_, &code);
    return code;
}

std::vector<Launch> Session::Launches() const
{
    std::vector<Launch> launches;
    for (const std::string& line : SplitLines(ReadFileText(logPath))) {
        std::vector<std::string> fields = SplitTabs(line);
        if (fields[0] == "launch" && fields.size() >= 6) {
            Launch launch;
            launch.tick = std::strtoul(fields[1].c_str(), nullptr, 10);
            launch.show = std::atoi(fields[2].c_str());
            launch.folder = fields[3];
            launch.module = fields[4];
            launch.commandLine = fields[5];
            launches.push_back(launch);
        } else if (fields[0] == "ended" && fields.size() >= 2 && !launches.empty()) {
            for (auto it = launches.rbegin(); it != launches.rend(); ++it)
                if (it->endTick == 0) {
                    it->endTick = std::strtoul(fields[1].c_str(), nullptr, 10);
                    break;
                }
        }
    }
    return launches;
}

std::vector<std::string> Session::PagedCaptures() const
{
    std::vector<std::string> paged;
    for (const std::string& line : SplitLines(ReadFileText(logPath)))
        if (line.rfind("paged\t", 0) == 0)
            paged.push_back(line);
    return paged;
}

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    struct Search { DWORD processId; std::vector<HWND> found; } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->processId)
                search->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleWindow(DWORD processId, const std::string& title)
{
    for (HWND window : TopLevelWindows(processId))
        if (IsWindowVisible(window) && TextOf(window) == title)
            return window;
    return nullptr;
}

HWND WaitForWindow(DWORD processId, const std::string& title, DWORD milliseconds)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = VisibleWindow(processId, title)) != nullptr; }, milliseconds);
    return found;
}

HWND WaitForMessageBox(DWORD processId, const std::string& title, DWORD milliseconds)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (IsWindowVisible(window) && ClassNameOf(window) == "#32770" &&
                    TextOf(window) == title) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return found;
}

std::string MessageBoxText(HWND box)
{
    return TextOf(GetDlgItem(box, 0xFFFF));
}

void CloseMessageBox(HWND box)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

std::string TextOf(HWND window)
{
    if (!window)
        return {};
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

std::string ClassNameOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void Click(HWND button)
{
    PostMessageA(button, BM_CLICK, 0, 0);
}

void PressCloseBox(HWND window)
{
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::vector<std::string> ComboEntries(HWND combo)
{
    // Wine passes CB_GETLBTEXT between processes as wide text whatever the
    // caller asked for, so ask for wide text and convert it.
    std::vector<std::string> entries;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
        std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(wcsnlen(wide.c_str(), wide.size()));
        std::string entry(wide.size() * 2 + 1, '\0');
        const int converted = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                  entry.data(), static_cast<int>(entry.size()), nullptr, nullptr);
        entry.resize(static_cast<size_t>(converted > 0 ? converted : 0));
        entries.push_back(entry);
    }
    return entries;
}

void Choose(HWND combo, int index)
{
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    PostMessageA(GetParent(combo), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

std::string IpFieldText(HWND ipField)
{
    std::string text;
    for (HWND edit : InnerEdits(ipField)) {
        const std::string part = TextOf(edit);
        text += (text.empty() ? "" : ".") + (part.empty() ? std::string("0") : part);
    }
    return text;
}

void SetIpFieldParts(HWND ipField, const std::vector<std::string>& parts)
{
    std::vector<HWND> edits = InnerEdits(ipField);
    for (size_t index = 0; index < edits.size() && index < parts.size(); ++index)
        SendMessageA(edits[index], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(parts[index].c_str()));
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

RECT ScreenRect(HWND window)
{
    RECT rectangle{};
    GetWindowRect(window, &rectangle);
    return rectangle;
}

std::string PlaceText(HWND parent, HWND child)
{
    RECT place = ScreenRect(child);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return std::to_string(place.left) + "," + std::to_string(place.top) + " " +
           std::to_string(place.right - place.left) + "x" + std::to_string(place.bottom - place.top);
}

HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void PressKey(HWND foreground, WORD key, bool shift)
{
    SetForegroundWindow(foreground);
    std::vector<INPUT> inputs;
    auto add = [&](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift)
        add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift)
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MovePointer(int x, int y)
{
    SetCursorPos(x, y);
}

void LeftClickAt(int x, int y)
{
    SetCursorPos(x, y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

int ListRowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListCell(HWND list, int row, int column)
{
    constexpr size_t textCapacity = 1024;
    RemoteBuffer buffer(list, sizeof(LVITEMA) + textCapacity);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.At(sizeof(LVITEMA));
    item.cchTextMax = textCapacity;
    buffer.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.At(0)));
    return buffer.ReadText(sizeof(LVITEMA), textCapacity);
}

std::vector<ListColumn> ListColumns(HWND list)
{
    std::vector<ListColumn> columns;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    constexpr size_t textCapacity = 256;
    RemoteBuffer buffer(list, sizeof(LVCOLUMNA) + textCapacity);
    for (int index = 0; index < count; ++index) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = buffer.At(sizeof(LVCOLUMNA));
        column.cchTextMax = textCapacity;
        buffer.Write(0, &column, sizeof column);
        SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(buffer.At(0)));
        buffer.Read(0, &column, sizeof column);
        columns.push_back({buffer.ReadText(sizeof(LVCOLUMNA), textCapacity), column.cx});
    }
    return columns;
}

void ClickListRow(HWND list, int row)
{
    RemoteBuffer buffer(list, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    buffer.Write(0, &bounds, sizeof bounds);
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.At(0)));
    buffer.Read(0, &bounds, sizeof bounds);
    POINT point{bounds.left + 10, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(list, &point);
    SetForegroundWindow(GetAncestor(list, GA_ROOT));
    LeftClickAt(point.x, point.y);
}
