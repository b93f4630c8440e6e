#include "app/main_window.h"

#include "adapters/adapter_window.h"
#include "app/app_state.h"
#include "app/command_menu.h"
#include "app/gadget_ids.h"
#include "app/info_link.h"
#include "app/ip_field.h"
#include "app/program_end.h"
#include "app/startup.h"
#include "lan/lan_window.h"
#include "sysinfo/windows_version.h"
#include "toolkit/gadget.h"
#include "toolkit/gadget_rules.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/system_facts.h"
#include "toolkit/window.h"

namespace {

constexpr uint32_t mainWindowFlags = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | CentreOnScreenFlag;
constexpr uint32_t centred = SS_CENTER;
constexpr uint32_t centredSunken = SS_CENTER | BorderFlag;  // a label's border is sunken
const char mainTitle[] = "Wendelkamm f\xFCr NT, Win2000, XP       V4.0 ";

// One gadget table serves every window: the secondary windows' numbers are
// the ones reserved for them here.
static_assert(AdapterWindowNumber == SecondaryWindowNumber && LanWindowNumber == SecondaryWindowNumber);
static_assert(AdapterListGadget == GadgetSecondaryList && LanListGadget == GadgetSecondaryList);
static_assert(LanRefreshButton == GadgetRefreshButton);

void BuildMainWindow()
{
    WindowOpen(MainWindowNumber, 279, 160, 350, 175, mainWindowFlags, mainTitle);
    GadgetParentSet(WindowCurrent());

    ButtonCreate(GadgetEnde, 300, 135, 40, 20, "Ende");
    ButtonCreate(GadgetAdapterButton, 245, 135, 50, 20, "Adapter");
    ButtonCreate(GadgetLanButton, 200, 135, 40, 20, " Lan");
    ComboCreate(GadgetCommandMenu, 140, 75, 180, 300);
    for (const std::string& label : MenuLabels(OsVersionCode() == OsCodeWindowsXp))
        GadgetAddItem(GadgetCommandMenu, -1, label);

    IpFieldCreate(GadgetIpField, 20, 75, 100, 20);
    GadgetSetState(GadgetIpField, static_cast<int32_t>(PackAddressNetworkOrder(appState.AddressNumbers)));
    ReadStartAddress();

    LabelCreate(GadgetCommandMenuCaption, 180, 57, 100, 16, "Befehlsauswahl", centred);
    LabelCreate(GadgetIpFieldCaption, 20, 57, 100, 16, "IP Adresse", centred);
    // Reaches past the client area's right and bottom edges; it is clipped.
    appState.InfoLinkHandle = LabelCreate(GadgetInfoLink, 260, 158, 120, 20, "");
    appState.LabelFont = FontLoad(1, "Arial", 8);
    LabelCreate(GadgetUserName, 10, 30, 100, 16, "", centredSunken);
    LabelCreate(GadgetComputerName, 125, 30, 100, 16, "", centredSunken);
    LabelCreate(GadgetWorkgroup, 240, 30, 100, 16, "", centredSunken);
    LabelCreate(GadgetUserNameCaption, 10, 12, 100, 16, "Benutzername", centred);
    LabelCreate(GadgetComputerNameCaption, 125, 12, 100, 16, "Computername", centred);
    LabelCreate(GadgetWorkgroupCaption, 240, 12, 100, 16, "Arbeitsgruppe", centred);
    LabelCreate(GadgetProcessorLine, 20, 108, 300, 16, "");
    LabelCreate(GadgetMemoryLine, 20, 123, 180, 16, "");
    LabelCreate(GadgetWindowsLine, 20, 138, 180, 16, "");
    LabelCreate(GadgetServicePackLine, 20, 153, 180, 16, "");
    for (int id : {GadgetInfoLink, GadgetUserName, GadgetComputerName, GadgetWorkgroup})
        GadgetSetFont(id, appState.LabelFont);

    GadgetSetText(GadgetInfoLink, appState.InfoLinkCaption);
    GadgetSetText(GadgetUserName, UserName());
    GadgetSetText(GadgetComputerName, ComputerName());
    GadgetSetText(GadgetWorkgroup, appState.WorkgroupName);
    GadgetSetText(GadgetProcessorLine, "CPU-Name = " + ProcessorBrand());
    GadgetSetText(GadgetMemoryLine, "Memory      =  " + appState.MemoryMegabytes + " MB RAM");
    GadgetSetText(GadgetWindowsLine, "OS Version = " + appState.WindowsName);
    GadgetSetText(GadgetServicePackLine, "Other   = " + appState.ServicePackText);

    WindowHookSet(InfoLinkHook);
    // Colour and cursor follow the pointer's real place before the first event.
    SendMessageA(WindowCurrent(), WM_MOUSEMOVE, 0, 0);
}

// The address picked in the adapter window goes into the IP field, and the
// command menu takes the focus back.
void TakePickedAddress(std::string_view address)
{
    ShowAddressInIpField(address);
    WindowClose(SecondaryWindowNumber);
    GadgetParentSet(WindowHandle(MainWindowNumber));
    GadgetFocus(GadgetCommandMenu);
}

void RunAdapterChoice()
{
    const AdapterOutcome outcome = RunAdapterWindow();
    if (outcome.lastListedAddress)
        appState.IpFieldText = *outcome.lastListedAddress;
    switch (outcome.choice) {
    case AdapterChoice::QueryFailed:
        EndProgram();
    case AdapterChoice::Picked:
        TakePickedAddress(outcome.pickedAddress);
        break;
    case AdapterChoice::Closed:
        break;
    }
}

} // namespace

void RunMainWindow()
{
    BuildMainWindow();
    for (;;) {
        const int event = EventWait();
        if (event == EventCloseWindow)
            break;
        if (event != EventGadget)
            continue;
        const int kind = EventKind();
        switch (EventSource()) {
        case GadgetEnde:
            if (kind == BN_CLICKED)
                EndProgram();
            break;
        case GadgetCommandMenu:
            if (kind == CBN_SELCHANGE) {
                appState.MenuChoice = GadgetGetState(GadgetCommandMenu);
                RunMenuCommand(appState.MenuChoice);
            }
            break;
        case GadgetAdapterButton:
            if (kind == BN_CLICKED) {
                RunAdapterChoice();
                WindowClose(SecondaryWindowNumber);
            }
            break;
        case GadgetLanButton:
            if (kind == BN_CLICKED) {
                RunLanWindow();
                WindowClose(SecondaryWindowNumber);
            }
            break;
        }
    }
    EndProgram();
}
