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
// blanks and line ends are kept; ParseInteger ignores them later. Text that
// is no address (see IsPageAddress) gives the empty text, so that the field
// shows 0.0.0.0 as for a page without any address.
std::string PublicAddressFromPage(std::string_view page);

// True when each of the first four "."-fields starts, after leading blanks,
// with one to three digits that make a number of at most 255. What follows
// the digits is not looked at, so "84.12.3.4<br>" or trailing blanks pass;
// "999.999.1.1" and "10.1" do not.
bool IsPageAddress(std::string_view text);
