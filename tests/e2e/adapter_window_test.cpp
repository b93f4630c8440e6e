// The "Adapter" window driven from outside. These tests need adapters of
// their own: tests/wine/adapter_window_e2e.sh runs them inside network
// namespaces it builds and names the namespace's layout in the environment
// (WK_ADAPTER_SCENARIO, WK_ADAPTER_NAME, WK_ADAPTER_ADDRESSES). Run any
// other way, they skip.
#include "driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int commandMenuId = 2;
constexpr int ipFieldId = 3;
constexpr int endeId = 1;
constexpr int adapterButtonId = 30;
constexpr int adapterListId = 200;

bool InScenario(const char* scenario)
{
    return Environment("WK_ADAPTER_SCENARIO") == scenario;
}

#define REQUIRE_SCENARIO(name)                                                               \
    if (!InScenario(name))                                                                   \
    GTEST_SKIP() << "needs the network namespace that adapter_window_e2e.sh builds"

std::vector<std::string> ExpectedAddresses()
{
    std::vector<std::string> addresses;
    std::istringstream list(Environment("WK_ADAPTER_ADDRESSES"));
    std::string address;
    while (std::getline(list, address, ','))
        addresses.push_back(address);
    return addresses;
}

HWND AdapterWindow(const Session& session)
{
    return VisibleWindow(session.ProcessId(), "Adapter");
}

// Clicks "Adapter" and waits for the window and all its rows.
HWND OpenAdapterWindow(Session& session, int rows)
{
    Click(session.Control(adapterButtonId));
    HWND window = WaitForWindow(session.ProcessId(), "Adapter", 20000);
    if (window)
        WaitUntil([&] { return ListRowCount(GetDlgItem(window, adapterListId)) == rows; }, 20000);
    return window;
}

bool WaitUntilGone(const Session& session)
{
    return WaitUntil([&] { return AdapterWindow(session) == nullptr; });
}

std::vector<std::string> Column(HWND list, int column)
{
    std::vector<std::string> cells;
    for (int row = 0; row < ListRowCount(list); ++row)
        cells.push_back(ListCell(list, row, column));
    return cells;
}

bool FocusInCommandMenu(Session& session)
{
    HWND menu = session.Control(commandMenuId);
    HWND focus = FocusOf(session.ThreadId());
    return focus == menu || IsChild(menu, focus);
}

} // namespace

TEST(AdapterWindowOneAdapter, ListsEachAddressWithTypeAndAliveMarkUnderItsTitlePlaceAndColumns)
{
    REQUIRE_SCENARIO("one-adapter");
    const std::vector<std::string> addresses = ExpectedAddresses();
    Session session;
    ASSERT_TRUE(session.Main());
    HWND window = OpenAdapterWindow(session, static_cast<int>(addresses.size()));
    ASSERT_TRUE(window);
    HWND list = GetDlgItem(window, adapterListId);

    EXPECT_EQ(Column(list, 0), addresses);
    const std::vector<std::string> sameAdapter(addresses.size(), Environment("WK_ADAPTER_NAME"));
    EXPECT_EQ(Column(list, 1), sameAdapter);
    EXPECT_EQ(Column(list, 2), std::vector<std::string>(addresses.size(), "Ethernet Adapter"));
    EXPECT_EQ(Column(list, 3), std::vector<std::string>(addresses.size(), " alive"));

    const RECT outer = ScreenRect(window);
    EXPECT_EQ(outer.left, 216);
    EXPECT_EQ(outer.top, 0);
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 520);
    EXPECT_EQ(client.cy, 190);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);

    const std::vector<ListColumn> columns = ListColumns(list);
    ASSERT_EQ(columns.size(), 4u);
    const std::vector<std::pair<std::string, int>> expected = {
        {"IP", 90}, {"Adapter", 240}, {"Type", 90}, {"Alive", 55}};
    for (size_t index = 0; index < columns.size(); ++index) {
        EXPECT_EQ(columns[index].title, expected[index].first);
        EXPECT_EQ(columns[index].width, expected[index].second);
    }
}

TEST(AdapterWindowOneAdapter, RowClickHandsItsAddressToTheIpFieldAndCloses)
{
    REQUIRE_SCENARIO("one-adapter");
    const std::vector<std::string> addresses = ExpectedAddresses();
    ASSERT_GE(addresses.size(), 2u);
    Session session;
    ASSERT_TRUE(session.Main());
    HWND window = OpenAdapterWindow(session, static_cast<int>(addresses.size()));
    ASSERT_TRUE(window);

    ClickListRow(GetDlgItem(window, adapterListId), 1);
    EXPECT_TRUE(WaitUntilGone(session));
    EXPECT_TRUE(WaitUntil([&] { return IpFieldText(session.Control(ipFieldId)) == addresses[1]; }))
        << IpFieldText(session.Control(ipFieldId));
    EXPECT_TRUE(WaitUntil([&] { return FocusInCommandMenu(session); }));
    EXPECT_EQ(session.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

TEST(AdapterWindowOneAdapter, MainWindowIsInertWhileItIsOpen)
{
    REQUIRE_SCENARIO("one-adapter");
    Session session;
    ASSERT_TRUE(session.Main());
    HWND window = OpenAdapterWindow(session, static_cast<int>(ExpectedAddresses().size()));
    ASSERT_TRUE(window);
    const size_t launchesBefore = session.Launches().size();

    Click(session.Control(endeId));
    Choose(session.Control(commandMenuId), 1);  // "Ping IP"
    EXPECT_EQ(session.WaitForExit(1500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(session.Launches().size(), launchesBefore);
    EXPECT_EQ(AdapterWindow(session), window);

    // The main window's close box ends only the adapter window's loop.
    PressCloseBox(session.Main());
    EXPECT_TRUE(WaitUntilGone(session));
    EXPECT_EQ(session.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(session.Main()));

    // Now the main window is itself again: a second close ends the program.
    PressCloseBox(session.Main());
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}

TEST(AdapterWindowOneAdapter, CloseBoxLeavesTheIpFieldAloneAndOpeningAgainBuildsTheListAnew)
{
    REQUIRE_SCENARIO("one-adapter");
    const int rows = static_cast<int>(ExpectedAddresses().size());
    Session session;
    ASSERT_TRUE(session.Main());
    const std::string before = IpFieldText(session.Control(ipFieldId));
    HWND first = OpenAdapterWindow(session, rows);
    ASSERT_TRUE(first);

    PressCloseBox(first);
    ASSERT_TRUE(WaitUntilGone(session));
    EXPECT_EQ(IpFieldText(session.Control(ipFieldId)), before);
    EXPECT_EQ(session.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));

    HWND second = OpenAdapterWindow(session, rows);
    ASSERT_TRUE(second);
    Sleep(300);  // a list that is not emptied would grow here
    HWND list = GetDlgItem(second, adapterListId);
    EXPECT_EQ(ListRowCount(list), rows);
    EXPECT_EQ(Column(list, 0), ExpectedAddresses());
}

TEST(AdapterWindowManyAddresses, GivesEveryAddressItsRow)
{
    REQUIRE_SCENARIO("many-addresses");
    const std::vector<std::string> addresses = ExpectedAddresses();
    Session session;
    ASSERT_TRUE(session.Main());
    HWND window = OpenAdapterWindow(session, static_cast<int>(addresses.size()));
    ASSERT_TRUE(window);
    HWND list = GetDlgItem(window, adapterListId);
    EXPECT_EQ(Column(list, 0), addresses);
    EXPECT_EQ(Column(list, 3), std::vector<std::string>(addresses.size(), " alive"));
    // After the fill the list draws again: visible, scroll bar laid out for
    // the rows that do not fit, and nothing left unpainted.
    EXPECT_TRUE(WaitUntil([&] {
        return IsWindowVisible(list) && (GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) &&
               !GetUpdateRect(list, nullptr, FALSE);
    }));
}

TEST(AdapterWindowNoAdapter, ShowsTheErrorBoxThenEndsTheProgram)
{
    REQUIRE_SCENARIO("no-adapter");
    Session session;
    ASSERT_TRUE(session.Main());
    Click(session.Control(adapterButtonId));

    HWND box = WaitForMessageBox(session.ProcessId(), "Error", 20000);
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "An error occured accessing adapter info");
    HWND window = AdapterWindow(session);
    ASSERT_TRUE(window);  // stays up, empty, behind the box
    EXPECT_EQ(ListRowCount(GetDlgItem(window, adapterListId)), 0);

    CloseMessageBox(box);
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}
