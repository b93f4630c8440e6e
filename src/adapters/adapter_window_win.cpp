#include "adapters/adapter_window.h"

#include "adapters/adapter_enumeration.h"
#include "adapters/adapter_rows.h"
#include "adapters/echo_probe.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_rules.h"
#include "toolkit/launch.h"
#include "toolkit/window.h"

#include <commctrl.h>

#include <string>

namespace {

// Caption, system menu, sizing border and minimise box; shown at once, at
// the given place rather than centred.
constexpr uint32_t adapterWindowFlags = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
// Full-row selection, grid lines, selection kept visible without focus;
// single selection.
constexpr uint32_t adapterListFlags =
    ListFullRowSelectFlag | ListGridLinesFlag | LVS_SHOWSELALWAYS;
constexpr int listClickKind = 0;  // a left click on the list

void BuildAdapterList()
{
    GadgetParentSet(WindowCurrent());
    ListCreate(AdapterListGadget, 20, 10, 480, 160, "IP", 90, adapterListFlags);
    ListColumnAdd(AdapterListGadget, 1, "Adapter", 240);
    ListColumnAdd(AdapterListGadget, 2, "Type", 90);
    ListColumnAdd(AdapterListGadget, 3, "Alive", 55);
}

// Each row is added only after its own probe, in the order of the table.
// The window takes no input until the last probe has finished, so nothing
// is painted before that anyway; holding the list's redraw meanwhile spares
// it laying out and drawing its scroll bars anew for every row, which with
// themed drawing costs more than all the rest of the fill.
void FillAdapterList(AdapterOutcome& outcome)
{
    GadgetClearItems(AdapterListGadget);
    HWND list = GadgetHandle(AdapterListGadget);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const AdapterEntry& entry : adapterTable) {
        const std::string mark = ProbeRange(entry.address, entry.address);
        GadgetAddItem(AdapterListGadget, -1, AdapterRowText(entry, mark));
        outcome.lastListedAddress = entry.address;
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    // Scroll bars that came while it did not draw are frame, not client area.
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

std::string ClickedAddress()
{
    const int row = GadgetGetState(AdapterListGadget);
    return row == -1 ? std::string() : GadgetItemText(AdapterListGadget, row, 0);
}

} // namespace

AdapterOutcome RunAdapterWindow()
{
    AdapterOutcome outcome;
    AdapterTableReset();
    if (!WindowOpen(AdapterWindowNumber, 216, 0, 520, 190, adapterWindowFlags, "Adapter"))
        return outcome;
    BuildAdapterList();

    EnumerateAdapters();
    if (adapterCount == -1) {
        // The window stays up, with its empty list, behind the box.
        ShowMessage("Error", "An error occured accessing adapter info", MB_OK);
        outcome.choice = AdapterChoice::QueryFailed;
        return outcome;
    }
    FillAdapterList(outcome);

    // This loop gets the events of every window; all but a click on the list
    // and a close box are dropped, so the main window's gadgets do nothing
    // while this window is open.
    for (;;) {
        const int event = EventWait();
        if (event == EventGadget && EventSource() == AdapterListGadget &&
            EventKind() == listClickKind) {
            outcome.choice = AdapterChoice::Picked;
            outcome.pickedAddress = ClickedAddress();
            return outcome;
        }
        if (event == EventCloseWindow)
            return outcome;
    }
}
