// "Internet IP (auch hinter Router)": the address under which the computer
// is seen from the internet, read from a web page into the IP field.
#pragma once

#include <string_view>

// Fetches the page, keeps the address text in PublicAddressText and shows it
// in the IP field. No message on success or failure.
void PublicIpLookup();

// One HTTP GET of `url` and a single read into `buffer` (at most `size`
// bytes). Returns the bytes that read delivered, or -1 when the address
// could not be opened.
int FetchPage(std::string_view url, char* buffer, int size);
