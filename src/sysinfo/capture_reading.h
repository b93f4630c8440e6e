// Start-up facts read from the capture files and the stored caption.
#pragma once

#include <string_view>

// Fills WorkgroupName from the workstation capture, then deletes it.
void ReadWorkgroup();
// Fills OwnAddressText from the ping capture and deletes the capture; true
// when the capture named the computer by an IPv6 address (left empty).
bool ReadPingCapture();
// ReadPingCapture, then puts OwnAddressText into the IP field. Once the
// capture is gone, the field gets the address read before.
void ReadOwnAddress();
// Rebuilds InfoLinkCaption from its scrambled form.
void BuildInfoLinkCaption();

// Parses `dotted` into AddressNumbers and shows it in the main window's IP
// field; every routine that fills the field goes through here.
void ShowAddressInIpField(std::string_view dotted);
