// Stands in for wendelkamm.exe in the start-up benchmark, as a yardstick:
// it imports the same system DLLs, so Wine's loader does the same work,
// and then starts the same two hidden commands the same way (ShellExecuteExA
// of the system folder's cmd.exe by full path, in the system folder, hidden,
// waited for). It stamps each
// step on the performance counter, which under Wine is one clock for every
// process, so the benchmark can tell Wine's share of the program's start-up
// from the program's own.
//
// Built a second time as startup_bare.exe (WK_BARE_WINDOW, a GUI program),
// it goes on like the program does after its commands: the two 300 ms
// pauses with a read of each capture, then the same main window with the
// same controls, styles, texts and fonts, made by straight Win32 calls in
// one function, and a plain message loop. That is the floor the platform
// sets for this start-up; what the program takes beyond it is its own.
// Environment:
//   WK_TWIN_LOG   file to write the stamps to: "main\t<ms>", then one
//                 "launch\t<ms called>\t<ms returned>" line per command
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <lm.h>
#include <shellapi.h>
#include <wininet.h>
#include <winsock.h>

#include <cstdio>
#include <string>

namespace {

double Milliseconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One function of each DLL that wendelkamm.exe imports or loads at start
// (comctl32), so that the loader maps and initialises the same set. Never
// called.
void* const importedDlls[] = {
    reinterpret_cast<void*>(&GetUserNameA), reinterpret_cast<void*>(&InitCommonControls),
    reinterpret_cast<void*>(&CreateFontA),  reinterpret_cast<void*>(&ShellExecuteExA),
    reinterpret_cast<void*>(&MessageBoxA),
};

std::string Environment(const char* name)
{
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
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

#ifdef WK_BARE_WINDOW
// Reads a capture whole and deletes it, as the program does.
void ReadCapture(const std::string& path)
{
    Sleep(300);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        }
        CloseHandle(file);
    }
    DeleteFileA(path.c_str());
}

HWND Control(HWND parent, int id, DWORD extendedStyle, const char* className, const char* text,
             DWORD style, int x, int y, int width, int height)
{
    HWND control = CreateWindowExA(extendedStyle, className, text, style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

HWND adapterWindow = nullptr;

// The "Adapter" window, call for call: window, list and columns, the
// adapter query, then per address an echo and its row.
void OpenBareAdapterWindow()
{
    if (adapterWindow)
        DestroyWindow(adapterWindow);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_VISIBLE;
    RECT frame{216, 0, 216 + 520, 190};
    AdjustWindowRect(&frame, style, FALSE);
    adapterWindow = CreateWindowExA(0, "WindowClass_100", "Adapter", style, 216, 0, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                                    nullptr);
    HWND list = Control(adapterWindow, 200, 0, WC_LISTVIEWA, "", 0x5001004D, 20, 10, 480, 160);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0x21, 0x21);
    const struct { const char* title; int width; } columns[] = {
        {"IP", 90}, {"Adapter", 240}, {"Type", 90}, {"Alive", 55}};
    for (int index = 0; index < 4; ++index) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = columns[index].width;
        column.pszText = const_cast<char*>(columns[index].title);
        column.iSubItem = index;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }

    ULONG size = 0;
    GetNetworkParams(nullptr, &size);
    size = 0;
    GetAdaptersInfo(nullptr, &size);
    std::string buffer(size, '\0');
    auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (size == 0 || GetAdaptersInfo(adapters, &size) != ERROR_SUCCESS)
        return;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    char payload[] = "Hello there                     ";
    unsigned char replies[274];
    int row = 0;
    for (IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
        for (IP_ADDR_STRING* entry = &adapter->IpAddressList; entry; entry = entry->Next) {
            HANDLE echo = IcmpCreateFile();
            const DWORD answered = IcmpSendEcho(echo, inet_addr(entry->IpAddress.String), payload, 32,
                                               nullptr, replies, sizeof replies, 200);
            IcmpCloseHandle(echo);
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row++;
            item.pszText = entry->IpAddress.String;
            const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            const char* cells[] = {adapter->Description, "Ethernet Adapter", answered ? " alive" : " no"};
            for (int column = 1; column < 4; ++column) {
                item.iSubItem = column;
                item.pszText = const_cast<char*>(cells[column - 1]);
                SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
            }
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

LRESULT CALLBACK BareMainProc(HWND window, UINT message, WPARAM first, LPARAM second)
{
    if (message == WM_COMMAND && LOWORD(first) == 30 && HIWORD(first) == BN_CLICKED) {
        OpenBareAdapterWindow();
        return 0;
    }
    if (message == WM_CLOSE)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, first, second);
}

// The program's main window after its commands, call for call.
void RunBareWindow(const std::string& start)
{
    ReadCapture(start + "\\2345.txt");

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareMainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "WindowClass_1";
    RegisterClassA(&windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "WindowClass_100";
    RegisterClassA(&windowClass);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;
    RECT frame{0, 0, 350, 175};
    AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HWND window = CreateWindowExA(0, "WindowClass_1", "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ",
                                  style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ACCEL tabKeys[] = {{FVIRTKEY | FNOINVERT, VK_TAB, 1001}, {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, 1002}};
    HACCEL accelerators = CreateAcceleratorTableA(tabKeys, 2);

    Control(window, 1, 0, "BUTTON", "Ende", 0x50030000, 300, 135, 40, 20);
    Control(window, 30, 0, "BUTTON", "Adapter", 0x50030000, 245, 135, 50, 20);
    Control(window, 31, 0, "BUTTON", " Lan", 0x50030000, 200, 135, 40, 20);
    HWND menu = Control(window, 2, WS_EX_CLIENTEDGE, "COMBOBOX", "", 0x50A30203, 140, 75, 180, 300);
    for (int entry = 0; entry < 18; ++entry)
        SendMessageA(menu, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Ping IP  (ping -n 4 IP)"));
    INITCOMMONCONTROLSEX classes{8, ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&classes);
    HWND field = Control(window, 3, 0, "SysIPAddress32", "", 0x50010000, 20, 75, 100, 20);
    SendMessageA(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(0, 0, 0, 0));
    ReadCapture(start + "\\123.txt");
    SendMessageA(field, IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 7));

    Control(window, 4, 0, "STATIC", "Befehlsauswahl", 0x50020001, 180, 57, 100, 16);
    Control(window, 5, 0, "STATIC", "IP Adresse", 0x50020001, 20, 57, 100, 16);
    Control(window, 6, 0, "STATIC", "", 0x50020000, 260, 158, 120, 20);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HFONT labelFont = CreateFontA(-MulDiv(8, GetDeviceCaps(display, LOGPIXELSY), 72), 0, 0, 0,
                                  FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    DeleteDC(display);
    const struct { int id, x, y, width; const char* text; DWORD style, extendedStyle; } labels[] = {
        {7, 10, 30, 100, "", 0x50020001, WS_EX_CLIENTEDGE}, {8, 125, 30, 100, "", 0x50020001, WS_EX_CLIENTEDGE},
        {9, 240, 30, 100, "", 0x50020001, WS_EX_CLIENTEDGE}, {10, 10, 12, 100, "Benutzername", 0x50020001, 0},
        {11, 125, 12, 100, "Computername", 0x50020001, 0}, {12, 240, 12, 100, "Arbeitsgruppe", 0x50020001, 0},
        {13, 20, 108, 300, "", 0x50020000, 0}, {14, 20, 123, 180, "", 0x50020000, 0},
        {15, 20, 138, 180, "", 0x50020000, 0}, {16, 20, 153, 180, "", 0x50020000, 0},
    };
    for (const auto& label : labels)
        Control(window, label.id, label.extendedStyle, "STATIC", label.text, label.style, label.x,
                label.y, label.width, 16);
    for (int id : {6, 7, 8, 9})
        SendDlgItemMessageA(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont), TRUE);
    const struct { int id; const char* text; } texts[] = {
        {6, "Wendelkamm V4.0"}, {7, "user"}, {8, "COMPUTER"}, {9, "ARBEITSGRUPPE"},
        {13, "CPU-Name = Processor"}, {14, "Memory      =  24576 MB RAM"},
        {15, "OS Version = Windows XP"}, {16, "Other   = Service Pack 3"},
    };
    for (const auto& text : texts)
        SetDlgItemTextA(window, text.id, text.text);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
#endif

} // namespace

int main()
{
    const double mainStamp = Milliseconds();
    volatile const void* keep = importedDlls;
    (void)keep;

    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string programFolder(module);
    programFolder.resize(programFolder.rfind('\\') + 1);
    char startFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof startFolder, startFolder);
    const std::string start(startFolder);

    double stamps[4];
    stamps[0] = Milliseconds();
    LaunchHiddenAndWait(programFolder, " /c Net config workstation > \"" + start + "\\2345.txt\"");
    stamps[1] = Milliseconds();
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    stamps[2] = Milliseconds();
    LaunchHiddenAndWait(programFolder,
                        " /c Ping -n 1 \"" + std::string(computer) + "\" > \"" + start + "\\123.txt\"");
    stamps[3] = Milliseconds();

    if (FILE* log = std::fopen(Environment("WK_TWIN_LOG").c_str(), "w")) {
        std::fprintf(log, "main\t%.3f\nlaunch\t%.3f\t%.3f\nlaunch\t%.3f\t%.3f\n", mainStamp,
                     stamps[0], stamps[1], stamps[2], stamps[3]);
        std::fclose(log);
    }
#ifdef WK_BARE_WINDOW
    RunBareWindow(start);
#endif
    return 0;
}
