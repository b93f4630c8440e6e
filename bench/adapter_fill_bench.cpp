// Fill time of the "Adapter" window: from the click on "Adapter" until the
// window has painted its last row and takes input again, less what the echo
// exchanges themselves take. Run by scripts/bench-adapters inside a network
// namespace whose addresses (WK_ADAPTER_ADDRESSES) all answer, once for the
// program and once for the bare twin; it prints the layout of the main
// window and the Adapter window too, which the script holds the same for
// both. Skipped anywhere else.
#include "watch.h"

#include <iphlpapi.h>
#include <icmpapi.h>

namespace {

constexpr int adapterButtonId = 30;
constexpr int adapterListId = 200;
constexpr int rounds = 7;
// Polls that leave the program the wineserver: a tight loop of window
// searches queues ahead of the program's own requests and slows it down.
constexpr DWORD pollPause = 1;
// Time for the program to settle (main window repainted, queue empty)
// after the previous round closed the window.
constexpr DWORD settlePause = 200;

// What the program's probes cost by themselves: the same exchange (own
// handle, 32-byte payload, 200 ms time-out) timed here, summed.
double ProbeMilliseconds(const std::vector<std::string>& addresses)
{
    char payload[] = "Hello there                     ";
    unsigned char replies[274];
    double total = 0;
    for (const std::string& address : addresses) {
        unsigned parts[4] = {};
        std::sscanf(address.c_str(), "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
        const double start = Now();
        HANDLE echo = IcmpCreateFile();
        const DWORD answered = IcmpSendEcho(echo, parts[0] | parts[1] << 8 | parts[2] << 16 | parts[3] << 24,
                                           payload, 32, nullptr, replies, sizeof replies, 200);
        IcmpCloseHandle(echo);
        total += Now() - start;
        EXPECT_NE(answered, 0u) << address;
    }
    return total;
}

// True when nothing in `window` or its children waits to be painted: what
// the program shows is then what it holds.
bool Painted(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!Painted(child))
            return false;
    return true;
}

} // namespace

TEST(AdapterFillBench, TimeFromClickToLastRowLessProbes)
{
    if (Environment("WK_ADAPTER_SCENARIO") != "bench")
        GTEST_SKIP() << "run by scripts/bench-adapters";
    std::vector<std::string> addresses;
    std::istringstream list(Environment("WK_ADAPTER_ADDRESSES"));
    for (std::string address; std::getline(list, address, ',');)
        addresses.push_back(address);
    Session session;
    HWND button = session.Control(adapterButtonId);
    ASSERT_TRUE(button);
    for (const std::string& line : Layout(session.Main(), mainDataIds))
        std::printf("layout\t%s\n", line.c_str());

    std::vector<double> overheads;
    for (int round = 0; round < rounds; ++round) {
        Sleep(settlePause);
        const double start = Now();
        Click(button);
        // The only window of that title in this Wine session, found without
        // asking the program. The row count is asked of the program, which
        // answers only once it pumps messages again, that is when its last
        // row is in. The fill ends when the rows are also painted.
        HWND window = nullptr;
        HWND rows = nullptr;
        while (!rows || SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0) < std::ssize(addresses) || !Painted(window)) {
            ASSERT_LT(Now() - start, 20000.0);
            Sleep(pollPause);
            window = FindWindowA(nullptr, "Adapter");
            rows = window ? GetDlgItem(window, adapterListId) : nullptr;
        }
        const double fill = Now() - start;
        if (round == 0)
            for (const std::string& line : Layout(window))
                std::printf("layout\t%s\n", line.c_str());
        PressCloseBox(window);
        WaitUntil([&] { return !IsWindow(window); });
        overheads.push_back(fill - ProbeMilliseconds(addresses));
    }
    std::sort(overheads.begin(), overheads.end());
    std::printf("addresses %zu: fill less probes %.1f ms (median of %d rounds)\n", addresses.size(),
                overheads[rounds / 2], rounds);
}
