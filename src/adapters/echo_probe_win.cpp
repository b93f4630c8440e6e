// Echo requests through ICMP.DLL. Every Windows from NT 4 on has that
// library, but mingw-w64 has no import library for it, so it is loaded from
// the system folder at first use.
#include "adapters/echo_probe.h"

#include <windows.h>

#include <string>

namespace {

using IcmpCreateFileCall = HANDLE(WINAPI*)();
using IcmpSendEchoCall = DWORD(WINAPI*)(HANDLE echo, ULONG destination, LPVOID payload,
                                        WORD payloadSize, LPVOID options, LPVOID replies,
                                        DWORD repliesSize, DWORD timeout);
using IcmpCloseHandleCall = BOOL(WINAPI*)(HANDLE echo);

struct IcmpLibrary {
    IcmpCreateFileCall create = nullptr;
    IcmpSendEchoCall send = nullptr;
    IcmpCloseHandleCall close = nullptr;
    bool usable() const { return create && send && close; }
};

// Loaded once and kept for the life of the program.
const IcmpLibrary& Icmp()
{
    static const IcmpLibrary library = [] {
        IcmpLibrary found;
        char folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return found;
        const HMODULE module = LoadLibraryA((std::string(folder) + "\\ICMP.DLL").c_str());
        if (!module)
            return found;
        found.create = reinterpret_cast<IcmpCreateFileCall>(
            reinterpret_cast<void*>(GetProcAddress(module, "IcmpCreateFile")));
        found.send = reinterpret_cast<IcmpSendEchoCall>(
            reinterpret_cast<void*>(GetProcAddress(module, "IcmpSendEcho")));
        found.close = reinterpret_cast<IcmpCloseHandleCall>(
            reinterpret_cast<void*>(GetProcAddress(module, "IcmpCloseHandle")));
        return found;
    }();
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
