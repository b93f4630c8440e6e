#include "sysinfo/public_ip_page.h"

#include "toolkit/text.h"

std::string PublicAddressFromPage(std::string_view page)
{
    static constexpr std::string_view key = "IP: ";
    // Not found gives 0, so the text starts at position 4 either way.
    const int start = FindText(page, key, 1) + TextLength(key);
    return FieldOf(MidText(page, start, TextLength(page)), 1, "<");
}
