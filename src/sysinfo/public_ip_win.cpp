#include "sysinfo/public_ip.h"

#include "app/app_state.h"
#include "sysinfo/capture_reading.h"
#include "sysinfo/public_ip_page.h"
#include "toolkit/text.h"

#include <windows.h>
#include <wininet.h>

#include <string>

namespace {

// Passive FTP, were the address ever an FTP one; nothing else is asked for:
// the system's proxy settings and cache apply as for any other request.
constexpr DWORD openUrlFlags = INTERNET_FLAG_PASSIVE;

} // namespace

int FetchPage(std::string_view url, char* buffer, int size)
{
    const std::string address(url);
    HINTERNET root = InternetOpenA(publicIpUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr,
                                   nullptr, 0);
    HINTERNET request = InternetOpenUrlA(root, address.c_str(), "", 0, openUrlFlags, 0);
    int count = -1;
    if (request) {
        // One read only; what it does not deliver is not used.
        DWORD received = 0;
        InternetReadFile(request, buffer, static_cast<DWORD>(size < 0 ? 0 : size), &received);
        count = static_cast<int>(received);
    }
    InternetCloseHandle(root);
    InternetCloseHandle(request);
    return count;
}

void PublicIpLookup()
{
    std::string page = Blanks(publicIpPageSize);
    const int count = FetchPage(WK_PUBLIC_IP_URL, page.data(), publicIpPageSize);
    // A request that failed to open (-1) leaves blanks only and so clears the
    // address; one that delivered nothing keeps the previous lookup's.
    if (count != 0)
        appState.PublicAddressText = PublicAddressFromPage(page);
    ShowAddressInIpField(appState.PublicAddressText);
}
