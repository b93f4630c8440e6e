// The page that tells the computer its public address, and how the address
// is cut out of it.
#pragma once

#include <string>
#include <string_view>

// The page is read once into a buffer of this many blanks; whatever the read
// does not overwrite stays blank.
inline constexpr int publicIpPageSize = 63000;
inline constexpr const char* publicIpUserAgent = "Mozilla/4.0 (compatible; ST)";

// The text after the first "IP: " up to the next "<" or the end of the page.
// Without "IP: " the page is read from its fourth character on. Trailing
// blanks and line ends are kept; ParseInteger ignores them later.
std::string PublicAddressFromPage(std::string_view page);
