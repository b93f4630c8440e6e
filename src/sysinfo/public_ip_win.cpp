#include "sysinfo/public_ip.h"

#include "sysinfo/public_ip_page.h"
#include "toolkit/system_library.h"
#include "toolkit/text.h"

#include <windows.h>
#include <wininet.h>

#include <string>

namespace {

// A server that accepts the connection and then says nothing would
// otherwise hold the window for minutes. Set on the session and on the
// connection: Wine applies them only from the connection handle on, Windows
// hands the session's down.
constexpr DWORD timeoutMilliseconds = 10000;
constexpr DWORD timeoutOptions[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                    INTERNET_OPTION_RECEIVE_TIMEOUT};

struct WinInet {
    decltype(&InternetOpenA) open = SYSTEM_FUNCTION("wininet.dll", InternetOpenA);
    decltype(&InternetConnectA) connect = SYSTEM_FUNCTION("wininet.dll", InternetConnectA);
    decltype(&HttpOpenRequestA) openRequest = SYSTEM_FUNCTION("wininet.dll", HttpOpenRequestA);
    decltype(&HttpSendRequestA) sendRequest = SYSTEM_FUNCTION("wininet.dll", HttpSendRequestA);
    decltype(&InternetReadFile) read = SYSTEM_FUNCTION("wininet.dll", InternetReadFile);
    decltype(&InternetSetOptionA) setOption = SYSTEM_FUNCTION("wininet.dll", InternetSetOptionA);
    decltype(&InternetCloseHandle) close = SYSTEM_FUNCTION("wininet.dll", InternetCloseHandle);
    bool usable() const
    {
        return open && connect && openRequest && sendRequest && read && setOption && close;
    }
};

const WinInet& Inet()
{
    static const WinInet library;
    return library;
}

void SetTimeouts(const WinInet& inet, HINTERNET handle)
{
    DWORD value = timeoutMilliseconds;
    for (DWORD option : timeoutOptions)
        inet.setOption(handle, option, &value, sizeof value);
}

// The session, its connection and the request of one fetch. The session
// goes first, as the root of the others.
class FetchHandles {
public:
    explicit FetchHandles(const WinInet& inet) : inet_(inet) {}
    ~FetchHandles()
    {
        for (HINTERNET handle : {session, connection, request})
            if (handle)
                inet_.close(handle);
    }
    FetchHandles(const FetchHandles&) = delete;
    FetchHandles& operator=(const FetchHandles&) = delete;
    HINTERNET session = nullptr, connection = nullptr, request = nullptr;

private:
    const WinInet& inet_;
};

} // namespace

int FetchPage(std::string_view host, std::string_view path, char* buffer, int size)
{
    const WinInet& inet = Inet();
    if (!inet.usable())
        return -1;
    const std::string hostName(host), object(path);
    FetchHandles handles(inet);
    // The system's proxy settings and cache apply as for any other request.
    handles.session = inet.open(publicIpUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!handles.session)
        return -1;
    SetTimeouts(inet, handles.session);
    handles.connection = inet.connect(handles.session, hostName.c_str(), INTERNET_DEFAULT_HTTP_PORT,
                                      nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!handles.connection)
        return -1;
    SetTimeouts(inet, handles.connection);
    handles.request = inet.openRequest(handles.connection, "GET", object.c_str(), nullptr, nullptr,
                                       nullptr, 0, 0);
    if (!handles.request || !inet.sendRequest(handles.request, nullptr, 0, nullptr, 0))
        return -1;
    // One read only; what it does not deliver is not used.
    DWORD received = 0;
    inet.read(handles.request, buffer, static_cast<DWORD>(size < 0 ? 0 : size), &received);
    return static_cast<int>(received);
}

std::string PublicIpLookup(std::string_view lastAddress)
{
    std::string page = Blanks(publicIpPageSize);
    const int count = FetchPage(WK_PUBLIC_IP_HOST, WK_PUBLIC_IP_PATH, page.data(), publicIpPageSize);
    // A request that failed to open (-1) leaves blanks only and so clears the
    // address; one that delivered nothing keeps the previous lookup's.
    if (count == 0)
        return std::string(lastAddress);
    return PublicAddressFromPage(page);
}
