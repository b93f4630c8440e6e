// Whether an address answers an ICMP echo, and the address arithmetic the
// probe needs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The marks shown in the adapter list's "Alive" column; the leading blank
// is part of both.
inline constexpr std::string_view AliveMarkYes = " alive";
inline constexpr std::string_view AliveMarkNo = " no";

// Dotted text to the form the IP field and IcmpSendEcho take: the leftmost
// number in the lowest byte. Missing or bad fields read 0, fields after the
// fourth are ignored and a number above 255 carries into the next byte.
uint32_t AddressFromText(std::string_view dotted);

// Reverses the four bytes: turns a packed address into one whose
// consecutive addresses are consecutive integers, and back.
uint32_t SwapAddressBytes(uint32_t value);

// The 32 bytes sent in every echo request: "Hello there " and 20 blanks.
std::string EchoPayload();

// One echo exchange with a packed destination; returns the number of
// replies (0 for none in time or a failed request).
using EchoSender = std::function<uint32_t(uint32_t destination, std::string_view payload)>;

// Probes every address from `first` to `last`, both included, in ascending
// order, one exchange each, and returns the mark of the last one probed
// (AliveMarkNo when the range is empty).
std::string ProbeRange(std::string_view first, std::string_view last, const EchoSender& send);

// The same through the system's ICMP library.
std::string ProbeRange(std::string_view first, std::string_view last);

// One exchange through the system's ICMP library with its own echo handle
// and a 200 ms time-out. Every address is " no" when the library is absent.
uint32_t EchoProbe(uint32_t destination, std::string_view payload);
