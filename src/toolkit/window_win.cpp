#include "toolkit/window.h"

#include "toolkit/event_translation.h"
#include "toolkit/gadget.h"
#include "toolkit/tab_order.h"
#include "toolkit/window_placement.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

struct WindowRecord {
    HWND handle = nullptr;
    HACCEL accelerators = nullptr;
    std::vector<ACCEL> acceleratorEntries;
};

std::vector<WindowRecord> windows;
HWND currentWindow = nullptr;
WindowHook hook = nullptr;
HBRUSH classBrush = nullptr;
WNDCLASSA templateClass{};

// The single pending-event slot: a later event overwrites an earlier one.
int pendingEvent = 0;
int eventSource = 0;
int eventKind = -1;

WindowRecord* RecordOf(int number)
{
    if (number < 0 || static_cast<size_t>(number) >= windows.size())
        return nullptr;
    return &windows[static_cast<size_t>(number)];
}

struct ClassName {
    char text[40];
};

ClassName ClassNameOf(int number)
{
    ClassName name{};
    wsprintfA(name.text, "WindowClass_%ld", static_cast<long>(number));
    return name;
}

void RecordEvent(int code, int source, int kind)
{
    pendingEvent = code;
    eventSource = source;
    eventKind = kind;
}

// --- Tab navigation ------------------------------------------------------

struct ChildList {
    std::vector<HWND> handles;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM list)
{
    reinterpret_cast<ChildList*>(list)->handles.push_back(child);
    return TRUE;
}

bool IsTabStop(HWND window)
{
    return IsWindowEnabled(window) && IsWindowVisible(window) &&
           (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP);
}

std::optional<size_t> IndexOf(const std::vector<HWND>& handles, HWND window)
{
    const auto found = std::find(handles.begin(), handles.end(), window);
    if (found == handles.end())
        return std::nullopt;
    return static_cast<size_t>(found - handles.begin());
}

void NavigateTabStops(TabDirection direction)
{
    HWND active = GetActiveWindow();
    if (!active)
        return;
    ChildList children;
    EnumChildWindows(active, CollectChild, reinterpret_cast<LPARAM>(&children));

    std::vector<TabWindow> tabWindows;
    tabWindows.reserve(children.handles.size());
    for (HWND child : children.handles)
        tabWindows.push_back({IsTabStop(child), IndexOf(children.handles, GetParent(child))});

    HWND focus = GetFocus();
    std::optional<size_t> focused;
    if (focus && IsChild(active, focus))
        focused = IndexOf(children.handles, focus);

    const std::optional<size_t> target =
        ChooseTabStop(tabWindows, NavigationStart(tabWindows, focused), direction);
    if (target)
        SetFocus(children.handles[*target]);
}

// --- Message translation -------------------------------------------------

LRESULT TranslateNotify(LPARAM second)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(second);
    if (!header)
        return 0;
    // Most notifications (custom drawing, inserts, header changes) raise no
    // event; only for the few that do is the sender's class looked up.
    const std::optional<int> kind = ListViewNotifyKind(static_cast<int>(header->code));
    if (!kind)
        return 0;
    char className[51] = {};
    GetClassNameA(header->hwndFrom, className, sizeof className);
    if (IsListViewClassName(className))
        RecordEvent(EventGadget, static_cast<int>(header->idFrom), *kind);
    return 0;
}

LRESULT TranslateCommandMessage(WPARAM first, LPARAM second)
{
    const CommandTranslation command = TranslateCommand(first, second != 0);
    switch (command.action) {
    case CommandRoute::GadgetEvent:
        RecordEvent(EventGadget, command.source, command.kind);
        break;
    case CommandRoute::TabForward:
        NavigateTabStops(TabDirection::Forward);
        break;
    case CommandRoute::TabBackward:
        NavigateTabStops(TabDirection::Backward);
        break;
    case CommandRoute::None:
        break;
    }
    return 0;
}

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM first, LPARAM second)
{
    if (hook) {
        const LRESULT result = hook(window, message, first, second);
        if (result != HookDefault)
            return result;
    }
    switch (message) {
    case WM_NOTIFY:
        return TranslateNotify(second);
    case WM_COMMAND:
        return TranslateCommandMessage(first, second);
    case WM_CLOSE:
        // The program decides whether the window goes: it closes it by number.
        RecordEvent(EventCloseWindow, eventSource, -1);
        return 0;
    default:
        return DefWindowProcA(window, message, first, second);
    }
}

// --- Placement -----------------------------------------------------------

POINT ScreenCentre(int outerWidth, int outerHeight)
{
    return {CentreOnScreen(outerWidth, GetSystemMetrics(SM_CXSCREEN)),
            CentreOnScreen(outerHeight, GetSystemMetrics(SM_CYSCREEN))};
}

POINT PlaceWindow(WindowPlacement placement, int x, int y, int outerWidth, int outerHeight)
{
    switch (placement) {
    case WindowPlacement::CentredOnScreen:
        return ScreenCentre(outerWidth, outerHeight);
    case WindowPlacement::CentredOnActiveWindow: {
        HWND active = GetActiveWindow();
        RECT area{};
        if (!active || !GetWindowRect(active, &area))
            return ScreenCentre(outerWidth, outerHeight);
        return {CentreOnSpan(area.left, area.right, outerWidth),
                CentreOnSpan(area.top, area.bottom, outerHeight)};
    }
    case WindowPlacement::AtGivenPosition:
        break;
    }
    return {x, y};
}

void GiveTabAccelerators(WindowRecord& record)
{
    record.acceleratorEntries = {
        {FVIRTKEY | FNOINVERT, VK_TAB, TabForwardCommand},
        {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, TabBackwardCommand},
    };
    record.accelerators = CreateAcceleratorTableA(record.acceleratorEntries.data(),
                                                  static_cast<int>(record.acceleratorEntries.size()));
}

HACCEL AcceleratorsOfActiveWindow()
{
    HWND active = GetActiveWindow();
    if (!active)
        return nullptr;
    for (const WindowRecord& record : windows)
        if (record.handle == active)
            return record.accelerators;
    return nullptr;
}

} // namespace

void WindowsInit(HINSTANCE instance)
{
    windows.clear();
    if (!classBrush) {
        LOGBRUSH brush{BS_SOLID, GetSysColor(COLOR_BTNFACE), 0};
        classBrush = CreateBrushIndirect(&brush);
    }
    templateClass = {};
    templateClass.style = 0;
    templateClass.lpfnWndProc = ToolkitWindowProc;
    templateClass.hInstance = instance;
    templateClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    templateClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    templateClass.hbrBackground = classBrush;
    templateClass.lpszMenuName = nullptr;
    templateClass.lpszClassName = "TemplateClass";
    RegisterClassA(&templateClass);
}

HWND WindowOpen(int number, int x, int y, int width, int height, uint32_t flags,
                std::string_view title)
{
    if (number < 0)
        return nullptr;
    if (static_cast<size_t>(number) >= windows.size())
        windows.resize(static_cast<size_t>(number) + 1);
    WindowClose(number);

    const ClassName className = ClassNameOf(number);
    WNDCLASSA windowClass = templateClass;
    windowClass.lpszClassName = className.text;
    RegisterClassA(&windowClass);

    const DecodedWindowFlags decoded = DecodeWindowFlags(flags);
    RECT frame{x, y, x + width, y + height};
    AdjustWindowRect(&frame, decoded.style, FALSE);
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    const POINT place = PlaceWindow(decoded.placement, x, y, outerWidth, outerHeight);

    const std::string titleText(title);
    HWND handle = CreateWindowExA(0, className.text, titleText.c_str(), decoded.style, place.x,
                                  place.y, outerWidth, outerHeight, nullptr, nullptr,
                                  templateClass.hInstance, nullptr);
    // Creating the window may have run the hook; the record is looked up again.
    WindowRecord& record = windows[static_cast<size_t>(number)];
    record.handle = handle;
    if (!handle)
        return nullptr;
    currentWindow = handle;
    GiveTabAccelerators(record);
    return handle;
}

void WindowClose(int number)
{
    WindowRecord* record = RecordOf(number);
    if (!record || !record->handle)
        return;
    HWND handle = record->handle;
    record->handle = nullptr;
    DestroyWindow(handle);
    GadgetsForget(handle);
    // Destroying runs the hook, which may open windows and move the table.
    record = RecordOf(number);
    const ClassName className = ClassNameOf(number);
    UnregisterClassA(className.text, templateClass.hInstance);
    if (record && record->accelerators) {
        record->acceleratorEntries.clear();
        DestroyAcceleratorTable(record->accelerators);
        record->accelerators = nullptr;
    }
}

void WindowCloseAll()
{
    for (size_t number = windows.size(); number-- > 0;)
        WindowClose(static_cast<int>(number));
}

HWND WindowHandle(int number)
{
    const WindowRecord* record = RecordOf(number);
    return record ? record->handle : nullptr;
}

HWND WindowCurrent()
{
    return currentWindow;
}

int WindowClientWidth()
{
    RECT client{};
    GetClientRect(currentWindow, &client);
    return client.right - client.left;
}

int WindowClientHeight()
{
    RECT client{};
    GetClientRect(currentWindow, &client);
    int height = client.bottom - client.top;
    if (currentWindow && GetMenu(currentWindow))
        height += GetSystemMetrics(SM_CYMENU);
    return height;
}

void WindowHookSet(WindowHook newHook)
{
    hook = newHook;
}

int EventWait()
{
    eventKind = -1;
    MSG message{};
    GetMessageA(&message, nullptr, 0, 0);

    HACCEL accelerators = AcceleratorsOfActiveWindow();
    if (!accelerators || !TranslateAcceleratorA(GetActiveWindow(), accelerators, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    const int result = pendingEvent ? pendingEvent : static_cast<int>(message.message);
    pendingEvent = 0;
    return result;
}

int EventSource()
{
    return eventSource;
}

int EventKind()
{
    return eventKind;
}
