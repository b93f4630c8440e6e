// IPv4 addresses in the three forms the program meets, each function named
// by the form it takes or gives:
// - the four numbers of dotted text, leftmost first;
// - network order: the leftmost number in the lowest byte, so that the four
//   bytes lie in memory in dotted order, as the ICMP echo and a host entry
//   hold them and as the IP field gadget's state takes them;
// - host order: the leftmost number in the highest byte, as the platform's
//   IP control holds it; consecutive addresses are consecutive integers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Fields 1 to 4 at "." read with ParseInteger, so missing or bad parts read
// 0 and fields after the fourth are ignored.
std::array<int32_t, 4> AddressNumbersFromText(std::string_view dotted);

// Numbers above 255 carry into the next higher byte; the sum wraps modulo
// 2^32.
uint32_t PackAddressNetworkOrder(int32_t a, int32_t b, int32_t c, int32_t d);
uint32_t PackAddressNetworkOrder(const std::array<int32_t, 4>& numbers);
// AddressNumbersFromText, then PackAddressNetworkOrder.
uint32_t AddressFromTextNetworkOrder(std::string_view dotted);

// The four bytes reversed; each is the other's inverse.
uint32_t HostOrderFromNetworkOrder(uint32_t networkOrder);
uint32_t NetworkOrderFromHostOrder(uint32_t hostOrder);

// "a.b.c.d" without leading zeros.
std::string DottedTextFromHostOrder(uint32_t hostOrder);
// Four bytes in network order, each as 0 to 255.
std::string DottedTextFromNetworkBytes(const unsigned char* bytes);
// Walks a null-terminated list of four-byte addresses in network order, as a
// host entry holds it; each replaces the previous one, so the last one wins.
// An empty list gives the empty text.
std::string LastDottedTextFromAddressList(const char* const* addressList);
