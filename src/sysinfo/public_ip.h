// "Internet IP (auch hinter Router)": the address under which the computer
// is seen from the internet, read from a web page.
#pragma once

#include <string>
#include <string_view>

// Fetches the page and returns the address text it gives: "" when the page
// could not be opened or holds no address, `lastAddress` (the previous
// lookup's) when the read delivered nothing. Shows no message either way.
std::string PublicIpLookup(std::string_view lastAddress);

// One HTTP GET of `path` on `host` (port 80) and a single read into
// `buffer` (at most `size` bytes). Returns the bytes that read delivered, or
// -1 when the page could not be opened, also when connecting, sending or
// waiting for the answer took more than 10 s.
int FetchPage(std::string_view host, std::string_view path, char* buffer, int size);
