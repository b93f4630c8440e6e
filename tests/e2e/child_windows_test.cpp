// The " Lan" and "Adapter" windows driven from outside. The adapter suites need adapters of their
// own: tests/wine/namespaces_e2e.sh runs each in a namespace, WK_ADAPTER_ADDRESSES on wkad0.
#include "driver.h"

#define REQUIRE_ADAPTER_NAMESPACE()                                                                  \
    if (!std::getenv("WK_ADAPTER_ADDRESSES"))                                                        \
    GTEST_SKIP() << "needs the network namespace that namespaces_e2e.sh builds"

namespace {

const char lanTitle[] = " Name > IP", searching[] = "\r\nSuche im Netzwerk, bitte warten !";

// While `window` (titled `title`) is open the main window's gadgets do nothing and its close box closes only that
// window; a second one ends the program with code 0.
void ExpectMainWindowInert(Session& session, const char* title, HWND window)
{
    const size_t launches = session.Launches().size();
    for (int id : {1, 30, 31})  // Ende, Adapter, " Lan"
        Click(session.Control(id));
    Choose(session.Control(2), 0);  // "ipconfig -all"
    EXPECT_EQ(session.WaitForExit(1500), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(session.Launches().size(), launches);
    for (const char* shown : {"Info", "Error", "Adapter", lanTitle})  // no box, no other or second window
        EXPECT_EQ(WaitForWindow(session.ProcessId(), shown, 0), shown == std::string(title) ? window : nullptr) << shown;
    PressCloseBox(session.Main());
    EXPECT_TRUE(WaitUntil([&] { return !WaitForWindow(session.ProcessId(), title, 0); }));
    EXPECT_EQ(session.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
    PressCloseBox(session.Main());
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}

// Under Wine the browse service is a stub that fails: every search pass shows one "Failed" box,
// during which the search line is there, then the window's own lines.
HWND SearchPass(Session& session, HWND button)
{
    Click(button);
    HWND box = WaitForWindow(session.ProcessId(), "Info"), window = WaitForWindow(session.ProcessId(), lanTitle, 0);
    EXPECT_EQ(TextOf(GetDlgItem(window, 200)), searching);
    EXPECT_EQ(Answer(box), "Failed");
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(window, 200)) == searching + std::string("\r\nEnde der Liste"); }));
    return window;
}

const std::vector<std::string> adapterTable = [] {  // as the list should show it
    std::vector<std::string> table = {"IP:90|Adapter:240|Type:90|Alive:55"};
    std::istringstream addresses(Environment("WK_ADAPTER_ADDRESSES"));
    for (std::string address; std::getline(addresses, address, ',');)
        table.push_back(address + "|wkad0|Ethernet Adapter| alive");
    return table;
}();

HWND OpenAdapterWindow(Session& session)  // and waits for all its rows
{
    Click(session.Control(30));
    HWND window = WaitForWindow(session.ProcessId(), "Adapter", 20000);
    WaitUntil([&] { return SendMessageA(GetDlgItem(window, 200), LVM_GETITEMCOUNT, 0, 0) + 1 == std::ssize(adapterTable); }, 20000);
    return window;
}

} // namespace

TEST(LanWindow, OpensCentredWithItsGadgetsRefreshSearchesAgainAndTheMainWindowIsInert)
{
    Session session;
    HWND window = SearchPass(session, session.Control(31)), refresh = GetDlgItem(window, 111);
    ASSERT_TRUE(window);
    EXPECT_EQ(PlaceText(window, window), "0,0 300x250");
    RECT outer{};  // centred: left + right and top + bottom are the screen's width and height
    GetWindowRect(window, &outer);
    EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    EXPECT_EQ(TextOf(refresh) + " " + PlaceText(window, refresh), "Refresh 1,224 299x26");
    EXPECT_EQ(PlaceText(window, GetDlgItem(window, 200)), "0,2 299x220");
    EXPECT_EQ(SearchPass(session, refresh), window) << "Refresh";
    ExpectMainWindowInert(session, lanTitle, window);
}

TEST(AdapterWindowOneAdapter, ListsItsAddressesHandsAClickedOneToTheIpFieldAndTheMainWindowIsInert)
{
    REQUIRE_ADAPTER_NAMESPACE();
    Session session;
    HWND ipField = session.Control(3), menu = session.Control(2);
    for (int round = 0; round < 2; ++round) {  // the close box leaves the field; opened anew, a row is clicked
        HWND window = OpenAdapterWindow(session), list = GetDlgItem(window, 200);
        ASSERT_TRUE(window);
        Sleep(300);  // a list that is not emptied would grow here
        EXPECT_EQ(ListTable(list), adapterTable);
        EXPECT_EQ(PlaceText(nullptr, window).substr(0, 6), "216,0 ");
        EXPECT_EQ(PlaceText(window, window), "0,0 520x190");
        if (round)
            ClickListRow(list, 1);
        else
            PressCloseBox(window);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
        EXPECT_TRUE(WaitUntil([&] { return TextOf(ipField) == (round ? "10.200.0.2" : "10.0.0.7"); }));
    }
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(menu) == menu || IsChild(menu, FocusOf(menu)); }));  // in the menu
    ExpectMainWindowInert(session, "Adapter", OpenAdapterWindow(session));
}

TEST(AdapterWindowManyAddresses, GivesEveryAddressItsRowAndDrawsAgainAfterTheFill)
{
    REQUIRE_ADAPTER_NAMESPACE();
    Session session;
    HWND list = GetDlgItem(OpenAdapterWindow(session), 200);
    EXPECT_EQ(ListTable(list), adapterTable);
    // Visible, its scroll bar laid out for the rows that do not fit, nothing left unpainted.
    EXPECT_TRUE(WaitUntil([&] {
        return IsWindowVisible(list) && (GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) && !GetUpdateRect(list, nullptr, FALSE);
    }));
}

TEST(AdapterWindowNoAdapter, ShowsTheErrorBoxThenEndsTheProgram)
{
    REQUIRE_ADAPTER_NAMESPACE();
    Session session;
    Click(session.Control(30));
    EXPECT_EQ(Answer(WaitForWindow(session.ProcessId(), "Error", 20000)), "An error occured accessing adapter info");
    EXPECT_EQ(session.WaitForExit(10000), 0u);
}
