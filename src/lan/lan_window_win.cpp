#include "lan/lan_window.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "toolkit/gadget.h"
#include "toolkit/window.h"

namespace {

constexpr uint32_t lanWindowFlags = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | CentreOnScreenFlag;
constexpr uint32_t lanListFlags = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL;
constexpr int buttonStripHeight = 30;

} // namespace

HWND OpenLanWindow()
{
    // A handle of a list that an earlier LAN window owned must not be used.
    appState.LanListHandle = nullptr;
    HWND window = WindowOpen(SecondaryWindowNumber, 100, 150, 300, 250, lanWindowFlags, " Name > IP");
    // Gadgets go only into a window that really opened, never into the
    // window that happened to be current before.
    if (window && GadgetParentSet(WindowCurrent())) {
        ButtonCreate(GadgetRefreshButton, 1, 224, WindowClientWidth() - 1, 26, "Refresh");
        appState.LanListHandle = EditCreate(GadgetSecondaryList, 0, 2, WindowClientWidth() - 1,
                                            WindowClientHeight() - buttonStripHeight, "",
                                            lanListFlags);
        // Lines are inserted at the end, and insertions obey the edit limit
        // (32,767 by default): 0 asks for the largest the control takes.
        SendMessageA(appState.LanListHandle, EM_LIMITTEXT, 0, 0);
    }
    return window;
}

void LanSearchPass(const LanServices& services)
{
    AppendLine("Suche im Netzwerk, bitte warten !");
    EnumerateServers(services);
    AppendLine("Ende der Liste");
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
        if (event == EventGadget && EventSource() == GadgetRefreshButton) {
            GadgetSetText(GadgetSecondaryList, "");
            LanSearchPass(services);
        }
    }
}
