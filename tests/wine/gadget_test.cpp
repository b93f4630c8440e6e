// Gadgets and fonts on real controls.
#include "toolkit/gadget.h"
#include "toolkit/window.h"
#include "toolkit_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int IpField = 51;
constexpr int List = 52;
constexpr int Combo = 53;
constexpr int Label = 54;
constexpr int Edit = 55;
constexpr int Button = 56;

class GadgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareToolkit(); }

    void SetUp() override
    {
        window = WindowOpen(9, 0, 0, 400, 300, 0x00CC0001, "Gadgets");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GadgetParentSet(window), window);
    }

    void TearDown() override
    {
        GadgetSetFont(-1, GadgetStockFont);
        WindowClose(9);
        DrainEvents();
    }

    HWND window = nullptr;
};

std::string WindowTextOf(HWND control)
{
    char text[100] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

HFONT FontOf(HWND control)
{
    return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

HFONT StockGuiFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// What CreateWindowExA was asked for, seen before the control adjusts its
// own styles (a combo box drops its border, for example).
struct CreationRequest {
    std::string className;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    HWND parent = nullptr;
    INT_PTR id = 0;
};
CreationRequest lastRequest;

LRESULT CALLBACK RecordCreation(int code, WPARAM window, LPARAM details)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* request = reinterpret_cast<CBT_CREATEWNDA*>(details)->lpcs;
        // The first child window made is the gadget; its own inner windows
        // (the IP field's edit boxes, the list's header) come after it.
        if (request->hwndParent && lastRequest.className.empty()) {
            lastRequest.className = HIWORD(reinterpret_cast<UINT_PTR>(request->lpszClass))
                                        ? request->lpszClass
                                        : "(atom)";
            lastRequest.style = static_cast<DWORD>(request->style);
            lastRequest.extendedStyle = request->dwExStyle;
            lastRequest.parent = request->hwndParent;
            lastRequest.id = reinterpret_cast<INT_PTR>(request->hMenu);
        }
    }
    return CallNextHookEx(nullptr, code, window, details);
}

// WM_SETFONT as sent, since the IP field keeps a font of its own making for
// its inner edit boxes and does not answer WM_GETFONT.
struct FontMessage {
    HWND control;
    WPARAM font;
    LPARAM redraw;
};
std::vector<FontMessage> fontMessages;

LRESULT CALLBACK RecordFontMessage(int code, WPARAM sent, LPARAM details)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(details);
    if (code == HC_ACTION && message->message == WM_SETFONT)
        fontMessages.push_back({message->hwnd, message->wParam, message->lParam});
    return CallNextHookEx(nullptr, code, sent, details);
}

bool GotFont(HWND control, HFONT font)
{
    for (const FontMessage& message : fontMessages)
        if (message.control == control && message.font == reinterpret_cast<WPARAM>(font) &&
            message.redraw == TRUE)
            return true;
    return false;
}

} // namespace

// Each creator asks for its class, styles and number and hands the gadget
// font with redraw.
TEST_F(GadgetTest, CreatorsAskForTheirClassStylesIdentityAndFont)
{
    struct Case {
        HWND (*create)();
        int id;
        const char* className;
        DWORD style;
        DWORD extendedStyle;
    };
    const Case cases[] = {
        {[] { return ButtonCreate(Button, 0, 0, 50, 20, "Ende"); }, Button, "BUTTON",
         0x50030000, 0},
        {[] { return ComboCreate(Combo, 0, 30, 100, 200); }, Combo, "COMBOBOX", 0x50A30203, 0x200},
        {[] { return EditCreate(Edit, 0, 60, 100, 20, "", 0); }, Edit, "EDIT", 0x50030080, 0x200},
        {[] { return EditCreate(57, 0, 90, 100, 50, "", 0x200844); }, 57, "EDIT", 0x502308C4,
         0x200},
        {[] { return EditCreate(57, 0, 90, 100, 50, "", 0x20000); }, 57, "EDIT", 0x50030080, 0},
        {[] { return LabelCreate(Label, 0, 150, 100, 20, "Text"); }, Label, "STATIC", 0x50020000,
         0},
        {[] { return LabelCreate(58, 0, 180, 100, 20, "Mitte", 1); }, 58, "STATIC", 0x50020001,
         0},
        {[] { return LabelCreate(58, 0, 180, 100, 20, "Mitte", 0x20001); }, 58, "STATIC",
         0x50020001, 0x200},
        {[] { return IpFieldCreate(IpField, 150, 0, 150, 22); }, IpField, "SysIPAddress32",
         0x50010000, 0},
        {[] { return ListCreate(List, 150, 30, 200, 100, "IP", 80, 0x40010008); }, List,
         "SysListView32", 0x5001004D, 0x200},
    };
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    HHOOK fontHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordFontMessage, nullptr, GetCurrentThreadId());
    ASSERT_NE(fontHook, nullptr);
    for (const Case& c : cases) {
        lastRequest = {};
        fontMessages.clear();
        HWND handle = c.create();
        ASSERT_NE(handle, nullptr) << c.className;
        EXPECT_EQ(lastRequest.className, c.className);
        EXPECT_EQ(lastRequest.style, c.style) << c.className << std::hex << " " << lastRequest.style;
        EXPECT_EQ(lastRequest.extendedStyle, c.extendedStyle) << c.className;
        EXPECT_EQ(lastRequest.parent, window);
        EXPECT_EQ(lastRequest.id, c.id);
        EXPECT_EQ(GadgetHandle(c.id), handle);
        EXPECT_EQ(GetDlgCtrlID(handle), c.id);
        EXPECT_TRUE(GotFont(handle, StockGuiFont())) << c.className;
    }
    UnhookWindowsHookEx(hook);
    UnhookWindowsHookEx(fontHook);
    EXPECT_EQ(FontOf(GadgetHandle(Button)), StockGuiFont());
    EXPECT_EQ(WindowTextOf(GadgetHandle(Button)), "Ende");
    // Grid lines and full-row select for the adapter window's flags.
    EXPECT_EQ(SendMessageA(GadgetHandle(List), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x21);
    // The one column that the creator adds.
    char title[10] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    ASSERT_TRUE(SendMessageA(GadgetHandle(List), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(title, "IP");
    EXPECT_EQ(column.cx, 80);
}

TEST_F(GadgetTest, IpFieldStateIsFirstFieldInLowestByte)
{
    HWND field = IpFieldCreate(IpField, 10, 10, 150, 22);
    ASSERT_NE(field, nullptr);
    GadgetSetState(IpField, 0x0100A8C0);
    EXPECT_EQ(GadgetGetState(IpField), 0x0100A8C0);
    EXPECT_EQ(GadgetGetText(IpField), "192.168.0.1");
    // The first inner edit box shows the first field.
    EXPECT_EQ(WindowTextOf(GetWindow(field, GW_CHILD)), "192");

    GadgetSetText(IpField, "10.0.0.1");
    EXPECT_EQ(GadgetGetText(IpField), "192.168.0.1");

    GadgetSetText(IpField, "");
    EXPECT_EQ(GadgetGetState(IpField), 0);
    EXPECT_EQ(GadgetGetText(IpField), "0.0.0.0");
    EXPECT_TRUE(SendMessageA(field, IPM_ISBLANK, 0, 0));
}

TEST_F(GadgetTest, ListRowSplitsAtLineFeedsIntoColumns)
{
    ASSERT_NE(ListCreate(List, 10, 10, 300, 150, "Eins", 60), nullptr);
    ListColumnAdd(List, 1, "Zwei", 60);
    ListColumnAdd(List, 2, "Drei", 60);
    ListColumnAdd(9999, 1, "nichts", 60);  // no such gadget: nothing happens

    GadgetAddItem(List, -1, "a\n\nc");
    GadgetAddItem(List, -1, "d\ne");
    GadgetAddItem(List, 0, "first");
    EXPECT_EQ(GadgetItemText(List, 1, 0), "a");
    EXPECT_EQ(GadgetItemText(List, 1, 1), "");
    EXPECT_EQ(GadgetItemText(List, 1, 2), "c");
    EXPECT_EQ(GadgetItemText(List, 2, 0), "d");
    EXPECT_EQ(GadgetItemText(List, 2, 1), "e");
    EXPECT_EQ(GadgetItemText(List, 0, 0), "first");
    EXPECT_EQ(GadgetItemText(List, 7, 0), "");

    // A position past the end appends; its cells stay with the row.
    GadgetAddItem(List, 50, "late\nx");
    EXPECT_EQ(GadgetItemText(List, 3, 0), "late");
    EXPECT_EQ(GadgetItemText(List, 3, 1), "x");
}

TEST_F(GadgetTest, ListStateFollowsTheFocusedRow)
{
    ASSERT_NE(ListCreate(List, 10, 10, 300, 150, "Eins", 60), nullptr);
    ListColumnAdd(List, 1, "Zwei", 60);
    GadgetAddItem(List, -1, "a\n1");
    GadgetAddItem(List, -1, "b\n2");
    EXPECT_EQ(GadgetGetState(List), -1);
    EXPECT_EQ(GadgetGetText(List), "");
    GadgetSetText(List, "nowhere");  // no focused row: nothing happens
    EXPECT_EQ(GadgetItemText(List, 0, 0), "a");

    GadgetSetState(List, 1);
    EXPECT_EQ(GadgetGetState(List), 1);
    EXPECT_EQ(GetFocus(), GadgetHandle(List));
    EXPECT_EQ(GadgetGetText(List), "b");

    GadgetSetText(List, "B\nzwei");
    EXPECT_EQ(GadgetItemText(List, 1, 0), "B");
    EXPECT_EQ(GadgetItemText(List, 1, 1), "zwei");

    GadgetSetState(List, -1);
    EXPECT_EQ(GadgetGetState(List), -1);
    EXPECT_EQ(SendMessageA(GadgetHandle(List), LVM_GETSELECTEDCOUNT, 0, 0), 0);

    GadgetClearItems(List);
    EXPECT_EQ(SendMessageA(GadgetHandle(List), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(GadgetTest, ListRowChangeAndClickNotificationsBecomeEventsWithKinds)
{
    HWND list = ListCreate(List, 10, 10, 300, 150, "Eins", 60);
    ASSERT_NE(list, nullptr);
    GadgetAddItem(List, -1, "a");
    DrainEvents();
    // A changed row raises an event without kind.
    GadgetSetState(List, 0);
    PostMessageA(window, WM_NULL, 0, 0);
    EXPECT_EQ(EventWait(), EventGadget);
    EXPECT_EQ(EventSource(), List);
    EXPECT_EQ(EventKind(), -1);
    struct Case { UINT code; int kind; };
    const Case cases[] = {{NM_CLICK, 0}, {NM_RCLICK, 1}, {NM_DBLCLK, 2},
                          {LVN_ITEMACTIVATE, 2}, {NM_RDBLCLK, 3}};
    for (const Case& c : cases) {
        NMHDR header{list, static_cast<UINT_PTR>(List), c.code};
        PostMessageA(window, WM_NOTIFY, List, reinterpret_cast<LPARAM>(&header));
        EXPECT_EQ(EventWait(), EventGadget) << static_cast<int>(c.code);
        EXPECT_EQ(EventSource(), List);
        EXPECT_EQ(EventKind(), c.kind) << static_cast<int>(c.code);
    }
    // The same notification from a control that is no list view is ignored.
    HWND button = ButtonCreate(Button, 10, 200, 50, 20, "x");
    NMHDR header{button, static_cast<UINT_PTR>(Button), static_cast<UINT>(NM_CLICK)};
    PostMessageA(window, WM_NOTIFY, Button, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(EventWait(), WM_NOTIFY);
}

TEST_F(GadgetTest, ComboSelectsByPrefixAndReportsNoChoiceAsMinusOne)
{
    ASSERT_NE(ComboCreate(Combo, 10, 10, 150, 200), nullptr);
    EXPECT_EQ(GadgetGetState(Combo), -1);
    GadgetAddItem(Combo, -1, "Alpha");
    GadgetAddItem(Combo, -1, "Beta");
    GadgetAddItem(Combo, 0, "Null");
    EXPECT_EQ(GadgetItemText(Combo, 0, 5), "Null");
    EXPECT_EQ(GadgetItemText(Combo, 2, 0), "Beta");
    EXPECT_EQ(GadgetItemText(Combo, 9, 0), "");
    EXPECT_EQ(GadgetGetState(Combo), -1);

    GadgetSetText(Combo, "Be");
    EXPECT_EQ(GadgetGetState(Combo), 2);
    EXPECT_EQ(GadgetGetText(Combo), "Beta");
    GadgetSetState(Combo, 1);
    EXPECT_EQ(GadgetGetText(Combo), "Alpha");
    GadgetSetText(Combo, "");
    EXPECT_EQ(GadgetGetState(Combo), -1);

    GadgetClearItems(Combo);
    EXPECT_EQ(SendMessageA(GadgetHandle(Combo), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(GadgetTest, LabelsEditsAndButtonsUseWindowTextPlainStateIsZeroAndFocusMoves)
{
    SetActiveWindow(window);
    LabelCreate(Label, 10, 10, 100, 20, "Text");
    HWND edit = EditCreate(Edit, 10, 40, 100, 20, "", 0);
    ButtonCreate(Button, 10, 70, 100, 20, "Knopf");
    GadgetFocus(Edit);
    EXPECT_EQ(GetFocus(), edit);
    GadgetSetText(Label, "Neu");
    GadgetSetText(Edit, "Eingabe");
    GadgetSetText(Button, "Ende");
    EXPECT_EQ(GadgetGetText(Label), "Neu");
    EXPECT_EQ(GadgetGetText(Edit), "Eingabe");
    EXPECT_EQ(GadgetGetText(Button), "Ende");
    GadgetSetState(Label, 5);
    EXPECT_EQ(GadgetGetState(Label), 0);
    EXPECT_EQ(GadgetGetState(Edit), 0);
    GadgetAddItem(Edit, -1, "ignored");
    EXPECT_EQ(GadgetItemText(Edit, 0, 0), "");
}

TEST_F(GadgetTest, LongEditTextReadsBackFirst31999Characters)
{
    HWND edit = EditCreate(Edit, 10, 10, 300, 200, "", 0x200844);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, EM_SETLIMITTEXT, 100000, 0);
    std::string text;
    for (int i = 0; text.size() < 40000; ++i)
        text += static_cast<char>('a' + i % 26);
    GadgetSetText(Edit, text);
    ASSERT_GT(GetWindowTextLengthA(edit), 31999);
    EXPECT_EQ(GadgetGetText(Edit), text.substr(0, 31999));
}

TEST_F(GadgetTest, IdsWithoutGadgetDoNothing)
{
    for (int id : {-1, 0, 9999}) {
        GadgetSetText(id, "x");
        GadgetSetState(id, 1);
        GadgetAddItem(id, -1, "x");
        GadgetClearItems(id);
        GadgetFocus(id);
        EXPECT_EQ(GadgetGetText(id), "");
        EXPECT_EQ(GadgetGetState(id), 0);
        EXPECT_EQ(GadgetItemText(id, 0, 0), "");
        EXPECT_EQ(GadgetHandle(id), nullptr);
    }
}

TEST_F(GadgetTest, FontsForLaterGadgetsAndForOneGadget)
{
    HFONT arial = FontLoad(1, "Arial", 8);
    ASSERT_NE(arial, nullptr);
    LOGFONTA description{};
    GetObjectA(arial, sizeof description, &description);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(description.lfHeight, -MulDiv(8, GetDeviceCaps(display, LOGPIXELSY), 72));
    DeleteDC(display);
    EXPECT_EQ(description.lfWeight, 400);
    EXPECT_STREQ(description.lfFaceName, "Arial");

    HWND plain = LabelCreate(Label, 10, 10, 100, 20, "a");
    GadgetSetFont(Label, arial);
    EXPECT_EQ(FontOf(plain), arial);
    GadgetSetFont(Label, GadgetStockFont);
    EXPECT_EQ(FontOf(plain), StockGuiFont());

    GadgetSetFont(-1, arial);
    EXPECT_EQ(FontOf(LabelCreate(58, 10, 40, 100, 20, "b")), arial);
    GadgetSetFont(-1, GadgetStockFont);
    EXPECT_EQ(FontOf(LabelCreate(59, 10, 70, 100, 20, "c")), StockGuiFont());

    // Loading again under the same number deletes the earlier font.
    HFONT bigger = FontLoad(1, "Arial", 12);
    EXPECT_NE(bigger, nullptr);
    EXPECT_EQ(GetObjectType(arial), 0u);
    EXPECT_EQ(GetObjectType(bigger), static_cast<DWORD>(OBJ_FONT));
}
