// The platform's numbers that the portable rules keep as plain numbers
// (they build and are tested without the platform's headers), held here
// against the names the headers give them. Nothing in this file is linked.
#include "toolkit/event_translation.h"
#include "toolkit/gadget_rules.h"
#include "toolkit/window_placement.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace {
constexpr bool Same(uint32_t ours, uint32_t platform)
{
    return ours == platform;
}
} // namespace

// Gadget styles.
static_assert(Same(ClientEdgeStyle, WS_EX_CLIENTEDGE));
static_assert(Same(EditFixedStyle, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL));
static_assert(Same(LabelFixedStyle, WS_CHILD | WS_VISIBLE | WS_GROUP));
static_assert(Same(ListFixedStyle,
                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS));
static_assert(Same(ListSingleSelection, LVS_SINGLESEL));
static_assert(Same(GridLinesListStyle, LVS_EX_GRIDLINES));
static_assert(Same(CheckBoxesListStyle, LVS_EX_CHECKBOXES));
static_assert(Same(HeaderDragDropListStyle, LVS_EX_HEADERDRAGDROP));
static_assert(Same(FullRowSelectListStyle, LVS_EX_FULLROWSELECT));

// Window flag decoding.
static_assert(Same(CaptionStyle, WS_CAPTION));
static_assert(Same(VisibleStyle, WS_VISIBLE));

// List-view notifications (negative codes, unsigned in the headers).
static_assert(Same(ClickCode, NM_CLICK));
static_assert(Same(DoubleClickCode, NM_DBLCLK));
static_assert(Same(RightClickCode, NM_RCLICK));
static_assert(Same(RightDoubleClickCode, NM_RDBLCLK));
static_assert(Same(ItemChangedCode, LVN_ITEMCHANGED));
static_assert(Same(ItemActivateCode, LVN_ITEMACTIVATE));

