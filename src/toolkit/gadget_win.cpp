// Gadget table, gadget creators and fonts.
#include "toolkit/gadget.h"

#include "toolkit/gadget_rules.h"
#include "toolkit/gadget_table_win.h"
#include "toolkit/system_library.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

namespace {

std::vector<GadgetRecord> gadgets;
std::vector<HFONT> fonts;
HFONT gadgetFont = nullptr;
HFONT stockFont = nullptr;
HWND gadgetParent = nullptr;
bool ipFieldClassReady = false;

// Styles of the creators whose style does not depend on flags.
constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD ComboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_GROUP |
                             WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST;
constexpr DWORD IpFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD ListColumnMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;

HFONT ResolveFont(HFONT font)
{
    return font == GadgetStockFont ? stockFont : font;
}

HWND CreateGadget(int id, GadgetKind kind, DWORD extendedStyle, const char* className,
                  std::string_view text, DWORD style, int x, int y, int width, int height)
{
    const std::string textCopy(text);
    HWND handle = CreateWindowExA(extendedStyle, className, textCopy.c_str(), style, x, y, width,
                                  height, gadgetParent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (handle)
        SetWindowFont(handle, gadgetFont, TRUE);
    if (id < 0)
        return handle;
    if (static_cast<size_t>(id) >= gadgets.size())
        gadgets.resize(static_cast<size_t>(id) + 1);
    gadgets[static_cast<size_t>(id)] = {handle, kind, gadgetParent};
    return handle;
}

// The IP address control lives in the newer common controls; its class is
// registered through InitCommonControlsEx, which the first releases of
// Windows NT 4 lack.
bool MakeIpFieldClassReady()
{
    if (ipFieldClassReady)
        return true;
    static const auto init = SYSTEM_FUNCTION("comctl32.dll", InitCommonControlsEx);
    if (!init)
        return false;
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_INTERNET_CLASSES;
    ipFieldClassReady = init(&classes) != FALSE;
    return ipFieldClassReady;
}

// The display's device context, for one measurement.
class DisplayContext {
public:
    DisplayContext() : handle_(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayContext()
    {
        if (handle_)
            DeleteDC(handle_);
    }
    DisplayContext(const DisplayContext&) = delete;
    DisplayContext& operator=(const DisplayContext&) = delete;
    HDC get() const { return handle_; }

private:
    HDC handle_;
};

// The character height of a `points` font on the display, as CreateFont
// takes it.
int FontHeight(int points)
{
    const DisplayContext display;
    return -MulDiv(points, GetDeviceCaps(display.get(), LOGPIXELSY), 72);
}

} // namespace

const GadgetRecord* GadgetRecordOf(int id)
{
    if (id < 0 || static_cast<size_t>(id) >= gadgets.size())
        return nullptr;
    const GadgetRecord& record = gadgets[static_cast<size_t>(id)];
    return record.handle ? &record : nullptr;
}

void GadgetsInit()
{
    gadgets.clear();
    stockFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    gadgetFont = stockFont;
    // Registers the list view's class; without the library the list
    // windows simply get no list.
    static const auto init = SYSTEM_FUNCTION("comctl32.dll", InitCommonControls);
    if (init)
        init();
}

void FontsInit()
{
    fonts.clear();
}

HWND GadgetParentSet(HWND parent)
{
    gadgetParent = parent;
    return parent;
}

HWND ButtonCreate(int id, int x, int y, int width, int height, std::string_view text)
{
    return CreateGadget(id, GadgetKind::Button, 0, "BUTTON", text, ButtonStyle, x, y, width,
                        height);
}

HWND ComboCreate(int id, int x, int y, int width, int height)
{
    return CreateGadget(id, GadgetKind::Combo, WS_EX_CLIENTEDGE, "COMBOBOX", "", ComboStyle, x, y,
                        width, height);
}

HWND EditCreate(int id, int x, int y, int width, int height, std::string_view text,
                uint32_t flags)
{
    return CreateGadget(id, GadgetKind::Plain, EditExtendedStyleFromFlags(flags), "EDIT", text,
                        EditStyleFromFlags(flags), x, y, width, height);
}

HWND LabelCreate(int id, int x, int y, int width, int height, std::string_view text)
{
    return CreateGadget(id, GadgetKind::Plain, 0, "STATIC", text, LabelStyleFromFlags(0), x, y,
                        width, height);
}

HWND LabelCreate(int id, int x, int y, int width, int height, std::string_view text,
                 uint32_t flags)
{
    return CreateGadget(id, GadgetKind::Plain, LabelExtendedStyleFromFlags(flags), "STATIC", text,
                        LabelStyleFromFlags(flags), x, y, width, height);
}

HWND IpFieldCreate(int id, int x, int y, int width, int height)
{
    if (!MakeIpFieldClassReady())
        return nullptr;
    return CreateGadget(id, GadgetKind::IpField, 0, "SysIPAddress32", "", IpFieldStyle, x, y,
                        width, height);
}

HWND ListCreate(int id, int x, int y, int width, int height, std::string_view firstTitle,
                int firstWidth, uint32_t flags)
{
    HWND handle = CreateGadget(id, GadgetKind::List, WS_EX_CLIENTEDGE, "SysListView32", "",
                               ListStyleFromFlags(flags), x, y, width, height);
    const uint32_t extended = ListExtendedStyleFromFlags(flags);
    if (handle && extended)
        ListView_SetExtendedListViewStyleEx(handle, extended, extended);
    ListColumnAdd(id, 0, firstTitle, firstWidth);
    return handle;
}

void ListColumnAdd(int id, int position, std::string_view title, int width)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return;
    std::string titleCopy(title);
    LVCOLUMNA column{};
    column.mask = ListColumnMask;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = titleCopy.data();
    column.iSubItem = position;
    ListView_InsertColumn(record->handle, position, &column);
}

void GadgetSetFont(int id, HFONT font)
{
    if (id == -1) {
        gadgetFont = ResolveFont(font);
        return;
    }
    if (const GadgetRecord* record = GadgetRecordOf(id))
        SetWindowFont(record->handle, ResolveFont(font), TRUE);
}

void GadgetFocus(int id)
{
    if (const GadgetRecord* record = GadgetRecordOf(id))
        SetFocus(record->handle);
}

HWND GadgetHandle(int id)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    return record ? record->handle : nullptr;
}

HFONT FontLoad(int number, std::string_view face, int points)
{
    if (number < 0)
        return nullptr;
    const int height = FontHeight(points);

    const std::string faceCopy(face);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, faceCopy.c_str());
    if (static_cast<size_t>(number) >= fonts.size())
        fonts.resize(static_cast<size_t>(number) + 1);
    HFONT& slot = fonts[static_cast<size_t>(number)];
    if (slot)
        DeleteObject(slot);
    slot = font;
    return font;
}

void GadgetsForget(HWND parent)
{
    for (GadgetRecord& record : gadgets)
        if (record.parent == parent)
            record = {};
}

void GadgetsRelease()
{
    gadgets.clear();
    for (HFONT font : fonts)
        if (font)
            DeleteObject(font);
    fonts.clear();
}
