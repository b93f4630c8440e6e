// The texts of the LAN list: one numbered line per computer, and the dotted
// form of the addresses that its name resolves to.
#pragma once

#include <string>
#include <string_view>

// What a name lookup that found nothing leaves at the end of a line.
inline constexpr std::string_view unresolvedNameText = "Unable to resolve domain name";

// "No : 1  PC1 --> 192.168.0.2": number, two blanks, name, " --> ", address.
std::string ServerLine(int number, std::string_view name, std::string_view address);

// Four address bytes in stored order, each as 0 to 255, joined with ".".
std::string DottedAddress(const unsigned char* bytes);

// Walks a null-terminated list of four-byte addresses, as a host entry
// holds it; each address replaces the previous one, so the last one wins.
// An empty list gives the empty text.
std::string LastDottedAddress(const char* const* addressList);
