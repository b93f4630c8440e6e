// Whether an address answers an ICMP echo.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The marks shown in the adapter list's "Alive" column; the leading blank
// is part of both.
inline constexpr std::string_view AliveMarkYes = " alive";
inline constexpr std::string_view AliveMarkNo = " no";

// The 32 bytes sent in every echo request: "Hello there " and 20 blanks.
std::string EchoPayload();

// One echo exchange with a destination in network order; returns the number
// of replies (0 for none in time or a failed request).
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
