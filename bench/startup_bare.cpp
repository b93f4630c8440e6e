// The bare twin, startup_bare.exe: a yardstick for the benchmarks. It
// imports the same system DLLs as wendelkamm.exe, so Wine's loader does the
// same work; starts the same two hidden commands the same way (ShellExecuteExA
// of the system folder's cmd.exe by full path, in the system folder, hidden,
// waited for); makes the same two 300 ms pauses with a read of each capture;
// then builds the same main window and, on "Adapter", the same Adapter
// window, by straight Win32 calls in the program's order, and runs a plain
// message loop. That is the floor the platform sets; what the program takes
// beyond it is its own. The benchmarks compare its windows with the
// program's and give no figures when they differ.
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

// One function of each DLL that wendelkamm.exe imports. Never called.
void* const importedDlls[] = {
    reinterpret_cast<void*>(&GetUserNameA), reinterpret_cast<void*>(&CreateFontA),
    reinterpret_cast<void*>(&ShellExecuteExA), reinterpret_cast<void*>(&MessageBoxA),
};

// The other DLLs' functions, loaded by full path when first needed, as the
// program loads them: the common controls at start, IP Helper and ICMP for
// the Adapter window.
template <typename Function>
Function* SystemFunction(const char* library, const char* name)
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    const std::string file = std::string(path) + "\\" + library;
    HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// What LaunchProgram does for a hidden, waited-for command.
void LaunchHiddenAndWait(const std::string& programFolder, const std::string& parameters)
{
    SetCurrentDirectoryA(programFolder.c_str());
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string cmd = std::string(system) + "\\cmd.exe";
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "Open";
    info.lpFile = cmd.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = system;
    info.nShow = SW_HIDE;
    if (ShellExecuteExA(&info) && info.hProcess) {
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hProcess);
    }
}

// Pauses, then reads a capture whole and deletes it, as the program does.
void ReadCapture(const std::string& path)
{
    Sleep(300);
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        while (std::fread(buffer, 1, sizeof buffer, file) > 0) {
        }
        std::fclose(file);
    }
    DeleteFileA(path.c_str());
}

struct Child {
    int id;
    DWORD extendedStyle;
    const char* className;
    const char* text;
    DWORD style;
    int x;
    int y;
    int width;
    int height;
};

HWND Control(HWND parent, const Child& child)
{
    HWND control = CreateWindowExA(child.extendedStyle, child.className, child.text, child.style, child.x,
                                   child.y, child.width, child.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

// A window of the given client size; at x < 0 centred on the screen.
HWND TopWindow(const char* className, const char* title, DWORD style, int x, int y, int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, style, FALSE);
    width = frame.right - frame.left;
    height = frame.bottom - frame.top;
    if (x < 0) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    return CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
}

// The "Adapter" window: window, list and columns, the adapter query, then
// per address an echo and its row.
void OpenAdapterWindow()
{
    static HWND window = nullptr;
    if (window)
        DestroyWindow(window);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_VISIBLE;
    window = TopWindow("WindowClass_100", "Adapter", style, 216, 0, 520, 190);
    HWND list = Control(window, {200, WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", 0x5001004D, 20, 10, 480, 160});
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0x21, 0x21);
    const char* const titles[] = {"IP", "Adapter", "Type", "Alive"};
    const int widths[] = {90, 240, 90, 55};
    for (int index = 0; index < 4; ++index) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = widths[index];
        column.pszText = const_cast<char*>(titles[index]);
        column.iSubItem = index;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
    static const auto getNetworkParams = SystemFunction<decltype(GetNetworkParams)>("iphlpapi.dll", "GetNetworkParams");
    static const auto getAdaptersInfo = SystemFunction<decltype(GetAdaptersInfo)>("iphlpapi.dll", "GetAdaptersInfo");
    ULONG size = 0;
    getNetworkParams(nullptr, &size);
    size = 0;
    getAdaptersInfo(nullptr, &size);
    std::string buffer(size, '\0');
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (size == 0 || getAdaptersInfo(adapters, &size) != ERROR_SUCCESS)
        return;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int rows = 0;
    for (IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
        for (IP_ADDR_STRING* entry = &adapter->IpAddressList; entry; entry = entry->Next) {
            unsigned parts[4] = {};
            std::sscanf(entry->IpAddress.String, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
            char payload[] = "Hello there                     ";
            unsigned char replies[274];
            const IPAddr address = parts[0] | parts[1] << 8 | parts[2] << 16 | parts[3] << 24;
            // Each probe looks up its functions, as the program's does.
            const auto icmpCreateFile = SystemFunction<decltype(IcmpCreateFile)>("icmp.dll", "IcmpCreateFile");
            const auto icmpSendEcho = SystemFunction<decltype(IcmpSendEcho)>("icmp.dll", "IcmpSendEcho");
            const auto icmpCloseHandle = SystemFunction<decltype(IcmpCloseHandle)>("icmp.dll", "IcmpCloseHandle");
            HANDLE echo = icmpCreateFile();
            const DWORD answered = icmpSendEcho(echo, address, payload, 32, nullptr, replies, sizeof replies, 200);
            icmpCloseHandle(echo);
            const char* cells[] = {entry->IpAddress.String, adapter->Description, "Ethernet Adapter",
                                   answered ? " alive" : " no"};
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = rows;
            item.pszText = const_cast<char*>(cells[0]);
            const WPARAM row = SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            for (item.iSubItem = 1; item.iSubItem < 4; ++item.iSubItem) {
                item.pszText = const_cast<char*>(cells[item.iSubItem]);
                SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            }
            ++rows;
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM first, LPARAM second)
{
    if (message == WM_COMMAND && LOWORD(first) == 30 && HIWORD(first) == BN_CLICKED)
        OpenAdapterWindow();
    if (message == WM_CLOSE)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, first, second);
}

const Child buttonsAndMenu[] = {
    {1, 0, "BUTTON", "Ende", 0x50030000, 300, 135, 40, 20},
    {30, 0, "BUTTON", "Adapter", 0x50030000, 245, 135, 50, 20},
    {31, 0, "BUTTON", " Lan", 0x50030000, 200, 135, 40, 20},
    {2, WS_EX_CLIENTEDGE, "COMBOBOX", "", 0x50A30203, 140, 75, 180, 300},
};

const Child labels[] = {
    {4, 0, "STATIC", "Befehlsauswahl", 0x50020001, 180, 57, 100, 16},
    {5, 0, "STATIC", "IP Adresse", 0x50020001, 20, 57, 100, 16},
    {6, 0, "STATIC", "", 0x50020000, 260, 158, 120, 20},
    {7, WS_EX_CLIENTEDGE, "STATIC", "", 0x50020001, 10, 30, 100, 16},
    {8, WS_EX_CLIENTEDGE, "STATIC", "", 0x50020001, 125, 30, 100, 16},
    {9, WS_EX_CLIENTEDGE, "STATIC", "", 0x50020001, 240, 30, 100, 16},
    {10, 0, "STATIC", "Benutzername", 0x50020001, 10, 12, 100, 16},
    {11, 0, "STATIC", "Computername", 0x50020001, 125, 12, 100, 16},
    {12, 0, "STATIC", "Arbeitsgruppe", 0x50020001, 240, 12, 100, 16},
    {13, 0, "STATIC", "", 0x50020000, 20, 108, 300, 16},
    {14, 0, "STATIC", "", 0x50020000, 20, 123, 180, 16},
    {15, 0, "STATIC", "", 0x50020000, 20, 138, 180, 16},
    {16, 0, "STATIC", "", 0x50020000, 20, 153, 180, 16},
};

// What the program puts into its labels last: the note and the system's facts.
const std::pair<int, const char*> texts[] = {
    {6, "Wendelkamm V4.0"}, {7, "user"}, {8, "COMPUTER"}, {9, "ARBEITSGRUPPE"},
    {13, "CPU-Name = Processor"}, {14, "Memory      =  24576 MB RAM"},
    {15, "OS Version = Windows XP"}, {16, "Other   = Service Pack 3"},
};

// The program's main window after its commands: the first capture, the
// window, its buttons, menu and IP field, the second capture, the labels
// and their texts.
void RunMainWindow(const std::string& start)
{
    ReadCapture(start + "\\2345.txt");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "WindowClass_0";
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "WindowClass_100";
    RegisterClassA(&windowClass);
    const char title[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;
    HWND window = TopWindow("WindowClass_0", title, style, -1, -1, 350, 175);
    ACCEL tabKeys[] = {{FVIRTKEY | FNOINVERT, VK_TAB, 1001}, {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, 1002}};
    HACCEL accelerators = CreateAcceleratorTableA(tabKeys, 2);

    for (const Child& child : buttonsAndMenu)
        Control(window, child);
    for (int entry = 0; entry < 18; ++entry)
        SendDlgItemMessageA(window, 2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Ping IP  (ping -n 4 IP)"));
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_INTERNET_CLASSES};
    SystemFunction<decltype(InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx")(&classes);
    HWND field = Control(window, {3, 0, "SysIPAddress32", "", 0x50010000, 20, 75, 100, 20});
    SendMessageA(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(0, 0, 0, 0));
    ReadCapture(start + "\\123.txt");
    SendMessageA(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 7));

    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HFONT labelFont = CreateFontA(-MulDiv(8, GetDeviceCaps(display, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                  DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    DeleteDC(display);
    for (const Child& label : labels)
        Control(window, label);
    for (int id : {6, 7, 8, 9})
        SendDlgItemMessageA(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont), TRUE);
    for (const auto& [id, text] : texts)
        SetDlgItemTextA(window, id, text);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

int main()
{
    volatile const void* keep = importedDlls;
    (void)keep;

    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string programFolder(module);
    programFolder.resize(programFolder.rfind('\\') + 1);
    char startFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof startFolder, startFolder);
    const std::string start(startFolder);

    SystemFunction<decltype(InitCommonControls)>("comctl32.dll", "InitCommonControls")();
    LaunchHiddenAndWait(programFolder, " /c Net config workstation > \"" + start + "\\2345.txt\"");
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    LaunchHiddenAndWait(programFolder, " /c Ping -n 1 \"" + std::string(computer) + "\" > \"" + start + "\\123.txt\"");
    RunMainWindow(start);
    return 0;
}
