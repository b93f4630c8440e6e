#include "sysinfo/public_ip_page.h"

#include "toolkit/text.h"

std::string PublicAddressFromPage(std::string_view page)
{
    static constexpr std::string_view key = "IP: ";
    // Not found gives 0, so the text starts at position 4 either way.
    const int start = FindText(page, key, 1) + TextLength(key);
    std::string address = FieldOf(MidText(page, start, TextLength(page)), 1, "<");
    // Read as it stands, "999.999.1.1" would carry into the next bytes and
    // show as 231.234.4.1: anything that is not four numbers 0 to 255 counts
    // as no address at all.
    if (!IsPageAddress(address))
        address.clear();
    return address;
}

bool IsPageAddress(std::string_view text)
{
    for (int index = 1; index <= 4; ++index) {
        const std::string field = FieldOf(text, index, ".");
        size_t digitsStart = field.find_first_not_of(' ');
        if (digitsStart == std::string::npos)
            return false;
        size_t digitsEnd = field.find_first_not_of("0123456789", digitsStart);
        if (digitsEnd == std::string::npos)
            digitsEnd = field.size();
        const size_t digits = digitsEnd - digitsStart;
        if (digits < 1 || digits > 3 || ParseInteger(field) > 255)
            return false;
    }
    return true;
}
