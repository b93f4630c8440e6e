#include "lan/lan_window.h"

#include "toolkit/gadget.h"
#include "toolkit/window.h"

namespace {

constexpr uint32_t lanWindowFlags = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | CentreOnScreenFlag;
constexpr uint32_t lanListFlags = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL;
constexpr int buttonStripHeight = 30;
constexpr WPARAM noColumns = 0;
constexpr LPARAM linesToTheEnd = 10000;
constexpr LPARAM linesAfterPass = 30;

// The list of the open LAN window; 0 while none is open, as closing a
// window forgets its gadgets.
HWND LanList()
{
    return GadgetHandle(LanListGadget);
}

} // namespace

HWND OpenLanWindow()
{
    HWND window = WindowOpen(LanWindowNumber, 100, 150, 300, 250, lanWindowFlags, " Name > IP");
    // Gadgets go only into a window that really opened, never into the
    // window that happened to be current before.
    if (window && GadgetParentSet(WindowCurrent())) {
        ButtonCreate(LanRefreshButton, 1, 224, WindowClientWidth() - 1, 26, "Refresh");
        HWND list = EditCreate(LanListGadget, 0, 2, WindowClientWidth() - 1,
                                 WindowClientHeight() - buttonStripHeight, "", lanListFlags);
        // Lines are inserted at the end, and insertions obey the edit limit
        // (32,767 by default): 0 asks for the largest the control takes.
        SendMessageA(list, EM_LIMITTEXT, 0, 0);
    }
    return window;
}

void LanSearchPass(const LanServices& services)
{
    AppendLine("Suche im Netzwerk, bitte warten !");
    EnumerateServers(AppendLine, services);
    SendMessageA(LanList(), EM_LINESCROLL, noColumns, linesAfterPass);
    AppendLine("Ende der Liste");
}

void AppendLine(std::string_view line)
{
    // Insert at the end instead of reading the whole text back and setting
    // it again: the text read back is cut at 31,999 characters, which would
    // drop the rest of a long list.
    HWND list = LanList();
    const int end = GetWindowTextLengthA(list);
    SendMessageA(list, EM_SETSEL, end, end);
    const std::string text = "\r\n" + std::string(line);
    SendMessageA(list, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(list, EM_LINESCROLL, noColumns, linesToTheEnd);
}

void RunLanWindow(const LanServices& services)
{
    // Without its window nothing could end the loop but a close request of
    // the main window, which would stay dead until then.
    if (!OpenLanWindow())
        return;
    LanSearchPass(services);
    for (;;) {
        const int event = EventWait();
        if (event == EventCloseWindow)
            return;
        // Every other event, the main window's included, is dropped.
        if (event == EventGadget && EventSource() == LanRefreshButton) {
            GadgetSetText(LanListGadget, "");
            LanSearchPass(services);
        }
    }
}
