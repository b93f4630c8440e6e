// The texts of the LAN list: one numbered line per computer.
#pragma once

#include <string>
#include <string_view>

// What a name lookup that found nothing leaves at the end of a line.
inline constexpr std::string_view unresolvedNameText = "Unable to resolve domain name";

// "No : 1  PC1 --> 192.168.0.2": number, two blanks, name, " --> ", address.
std::string ServerLine(int number, std::string_view name, std::string_view address);
