// Reading facts out of captured console output, one line at a time.
#pragma once

#include <string>
#include <string_view>

// A line of "net config workstation" that names the workgroup or domain:
// German "Arbeitsstationsdomäne" or English "Workstation domain" at the start
// of the line. Sets `workgroup` to the rest of the line, blanks trimmed, and
// returns true; other lines return false and leave it alone.
bool WorkgroupFromLine(std::string_view line, std::string& workgroup);

// What a line of a ping of the own computer name says about its address.
enum class PingBracket { None, Ipv4, Ipv6 };

// A ping line holding "[": sets `address` to the text between the first "["
// and the first "]" of the line with its blanks removed (empty when "]" is
// missing or comes first). Vista and later answer over IPv6 ("[fe80::1%11]",
// "[::1]", "[2a02:...]"): a text holding a colon is never an IPv4 address,
// so `address` becomes empty and the answer is Ipv6. Other lines: None.
PingBracket OwnAddressFromLine(std::string_view line, std::string& address);
