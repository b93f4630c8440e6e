// The main window's IP field. Every routine that fills it goes through here.
#pragma once

#include <string_view>

// Parses `dotted` into AddressNumbers and shows it in the IP field.
void ShowAddressInIpField(std::string_view dotted);
// "Eigene IP": the own address read from the start-up ping's capture; once
// the capture is gone, the address read before.
void ShowOwnAddress();
// "Internet IP (auch hinter Router)": the public address, kept in
// PublicAddressText.
void ShowPublicAddress();
