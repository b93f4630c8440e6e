// Echo requests through ICMP.DLL, which every Windows from NT 4 on has.
#include "adapters/echo_probe.h"

#include "toolkit/system_library.h"

#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <string>

namespace {

struct IcmpLibrary {
    decltype(&IcmpCreateFile) create = SYSTEM_FUNCTION("icmp.dll", IcmpCreateFile);
    decltype(&IcmpSendEcho) send = SYSTEM_FUNCTION("icmp.dll", IcmpSendEcho);
    decltype(&IcmpCloseHandle) close = SYSTEM_FUNCTION("icmp.dll", IcmpCloseHandle);
    bool usable() const { return create && send && close; }
};

// Loaded at first use and kept for the life of the program.
const IcmpLibrary& Icmp()
{
    static const IcmpLibrary library;
    return library;
}

// The echo handle of one exchange.
class EchoHandle {
public:
    explicit EchoHandle(const IcmpLibrary& icmp) : icmp_(icmp), handle_(icmp.create()) {}
    ~EchoHandle() { icmp_.close(handle_); }
    EchoHandle(const EchoHandle&) = delete;
    EchoHandle& operator=(const EchoHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    const IcmpLibrary& icmp_;
    HANDLE handle_;
};

// Room for the reply record, the echoed 32 bytes and an ICMP error's extra
// data; the contents are never read.
constexpr DWORD replyBufferSize = 274;
// Long enough for a host on the local network, short enough that a list of
// addresses that do not answer fills in a few seconds.
constexpr DWORD echoTimeoutMilliseconds = 200;

unsigned char replyBuffer[replyBufferSize];

} // namespace

uint32_t EchoProbe(uint32_t destination, std::string_view payload)
{
    const IcmpLibrary& icmp = Icmp();
    if (!icmp.usable())
        return 0;
    EchoHandle echo(icmp);
    std::string request(payload);  // the call takes a writable pointer
    // No options: the platform's default time-to-live and flags.
    return icmp.send(echo.get(), destination, request.data(), static_cast<WORD>(request.size()),
                     nullptr, replyBuffer, replyBufferSize, echoTimeoutMilliseconds);
}

std::string ProbeRange(std::string_view first, std::string_view last)
{
    return ProbeRange(first, last, EchoProbe);
}
