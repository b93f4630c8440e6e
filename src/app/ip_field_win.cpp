#include "app/ip_field.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "sysinfo/capture_reading.h"
#include "sysinfo/public_ip.h"
#include "toolkit/gadget.h"
#include "toolkit/ipv4_address.h"

void ShowAddressInIpField(std::string_view dotted)
{
    appState.AddressNumbers = AddressNumbersFromText(dotted);
    GadgetSetState(GadgetIpField, static_cast<int32_t>(PackAddressNetworkOrder(appState.AddressNumbers)));
}

void ShowOwnAddress()
{
    appState.OwnAddressText = ReadOwnAddress(appState.PingCapturePath, appState.OwnAddressText);
    ShowAddressInIpField(appState.OwnAddressText);
}

void ShowPublicAddress()
{
    appState.PublicAddressText = PublicIpLookup(appState.PublicAddressText);
    ShowAddressInIpField(appState.PublicAddressText);
}
