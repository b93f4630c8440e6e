#include "app/info_link.h"

#include "app/app_state.h"
#include "toolkit/launch.h"
#include "toolkit/window.h"

namespace {

constexpr COLORREF linkRed = RGB(255, 0, 0);
constexpr COLORREF linkBlue = RGB(0, 0, 255);
constexpr COLORREF white = RGB(255, 255, 255);
// The hand cursor exists from Windows 2000 on; LoadCursor simply fails
// before that.
const LPCSTR handCursor = IDC_HAND;

HBRUSH LinkColours(COLORREF text, COLORREF background, HDC context)
{
    DeleteObject(appState.InfoLinkBrush);
    appState.InfoLinkBrush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    SetBkColor(context, background);
    SetTextColor(context, text);
    SetBkMode(context, TRANSPARENT);
    return appState.InfoLinkBrush;
}

const char infoText[] =
    "Wendelkamm 4.0\n"
    "Netzwerk-Diagnose f\xFCr Windows NT, 2000 und XP\n"
    "Benutzer, Rechner, Arbeitsgruppe und eigene IP auf einen Blick,\n"
    "ipconfig, ping, tracert, netstat und net per Auswahl,\n"
    "Adapterliste mit Ping-Test und Rechner im lokalen Netz.\n"
    "Kontakt: support@wendelkamm.de";

// The right and bottom edges count as outside.
bool PointerOver(HWND control)
{
    RECT rectangle;
    POINT pointer;
    if (!GetWindowRect(control, &rectangle) || !GetCursorPos(&pointer))
        return false;
    return PtInRect(&rectangle, pointer) != FALSE;
}

void FollowPointer()
{
    const bool inside = PointerOver(appState.InfoLinkHandle);
    appState.InfoLinkHover = inside ? 1 : 0;
    // Setting the text makes the label repaint in its new colour.
    SetWindowTextA(appState.InfoLinkHandle, appState.InfoLinkCaption.c_str());
    SetCursor(LoadCursorA(nullptr, inside ? handCursor : IDC_ARROW));
    InvalidateRect(WindowCurrent(), nullptr, FALSE);
}

} // namespace

LRESULT InfoLinkHook(HWND, UINT message, WPARAM first, LPARAM second)
{
    switch (message) {
    case WM_LBUTTONUP:
        // Only the release counts, wherever the press was.
        if (PointerOver(appState.InfoLinkHandle))
            ShowMessage("Info", infoText, MB_OK);
        break;
    case WM_MOUSEMOVE:
        FollowPointer();
        break;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(second) == appState.InfoLinkHandle)
            return reinterpret_cast<LRESULT>(LinkColours(
                appState.InfoLinkHover ? linkRed : linkBlue, white, reinterpret_cast<HDC>(first)));
        break;
    }
    return HookDefault;
}
