// Text, state and item operations, per gadget kind.
#include "toolkit/gadget.h"

#include "toolkit/gadget_rules.h"
#include "toolkit/gadget_table_win.h"
#include "toolkit/ipv4_address.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace {

// Read limits, terminating zero included.
constexpr int WindowTextBuffer = 32000;
constexpr int FocusedRowTextBuffer = 60000;
constexpr int CellTextBuffer = 10000;
constexpr UINT RowFocusAndSelection = LVIS_FOCUSED | LVIS_SELECTED;

std::string WindowText(HWND window)
{
    std::vector<char> buffer(WindowTextBuffer, '\0');
    const int length = GetWindowTextA(window, buffer.data(), WindowTextBuffer);
    return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

int FocusedRow(HWND list)
{
    return ListView_GetNextItem(list, -1, LVNI_FOCUSED);
}

void SetCellText(HWND list, int row, int column, const std::string& text)
{
    std::string copy(text);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = copy.data();
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Columns 1, 2, ... of `row` from the cells after the first.
void SetFollowingCells(HWND list, int row, const std::vector<std::string>& cells)
{
    for (size_t column = 1; column < cells.size(); ++column)
        SetCellText(list, row, static_cast<int>(column), cells[column]);
}

void InsertListRow(HWND list, int position, std::string_view text)
{
    if (position == -1)
        position = ListView_GetItemCount(list);
    std::vector<std::string> cells = SplitRowText(text);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.iSubItem = 0;
    item.pszText = cells.front().data();
    // The control may put the row elsewhere (past the end, sorted lists):
    // the other cells follow the row where it actually went.
    const int row = ListView_InsertItem(list, &item);
    if (row >= 0)
        SetFollowingCells(list, row, cells);
}

void SetFocusedRowText(HWND list, std::string_view text)
{
    const int row = FocusedRow(list);
    if (row < 0)
        return;
    const std::vector<std::string> cells = SplitRowText(text);
    SetCellText(list, row, 0, cells.front());
    SetFollowingCells(list, row, cells);
}

std::string ListCellText(HWND list, int row, int column, int bufferSize)
{
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = bufferSize;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.pszText)
        return {};
    // The control may answer with a pointer to its own copy of the text.
    return std::string(item.pszText);
}

void SetListRowState(HWND list, int row, UINT state)
{
    LVITEMA item{};
    item.stateMask = RowFocusAndSelection;
    item.state = state;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SetListState(HWND list, int32_t value)
{
    if (value >= 0) {
        SetListRowState(list, value, RowFocusAndSelection);
        SetFocus(list);
    } else if (value == -1 && FocusedRow(list) >= 0) {
        SetListRowState(list, -1, 0);  // row -1: every row
    }
}

uint32_t IpFieldControlValue(HWND field)
{
    DWORD address = 0;
    SendMessageA(field, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

std::string ComboItemText(HWND combo, int item)
{
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length == CB_ERR || length < 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(item),
                                     reinterpret_cast<LPARAM>(buffer.data()));
    if (got == CB_ERR || got < 0)
        return {};
    return std::string(buffer.data(), std::min<size_t>(static_cast<size_t>(got), length));
}

} // namespace

void GadgetSetText(int id, std::string_view text)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return;
    const std::string copy(text);
    HWND handle = record->handle;
    switch (record->kind) {
    case GadgetKind::Button:
    case GadgetKind::Plain:
        SetWindowTextA(handle, copy.c_str());
        break;
    case GadgetKind::Combo:
        if (copy.empty())
            ComboBox_SetCurSel(handle, -1);
        else
            ComboBox_SelectString(handle, 0, copy.c_str());
        break;
    case GadgetKind::IpField:
        if (copy.empty())
            SendMessageA(handle, IPM_CLEARADDRESS, 0, 0);
        break;
    case GadgetKind::List:
        SetFocusedRowText(handle, copy);
        break;
    }
}

std::string GadgetGetText(int id)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return {};
    switch (record->kind) {
    case GadgetKind::IpField:
        return DottedTextFromHostOrder(IpFieldControlValue(record->handle));
    case GadgetKind::List: {
        const int row = FocusedRow(record->handle);
        return row < 0 ? std::string() : ListCellText(record->handle, row, 0, FocusedRowTextBuffer);
    }
    default:
        return WindowText(record->handle);
    }
}

void GadgetSetState(int id, int32_t value)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return;
    HWND handle = record->handle;
    switch (record->kind) {
    case GadgetKind::Button:
        Button_SetCheck(handle, value);
        break;
    case GadgetKind::Combo:
        ComboBox_SetCurSel(handle, value);
        break;
    case GadgetKind::IpField:
        SendMessageA(handle, IPM_SETADDRESS, 0,
                     static_cast<LPARAM>(HostOrderFromNetworkOrder(static_cast<uint32_t>(value))));
        break;
    case GadgetKind::List:
        SetListState(handle, value);
        break;
    case GadgetKind::Plain:
        break;
    }
}

int32_t GadgetGetState(int id)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return 0;
    HWND handle = record->handle;
    switch (record->kind) {
    case GadgetKind::Button:
        return Button_GetCheck(handle);
    case GadgetKind::Combo:
        return ComboBox_GetCurSel(handle);
    case GadgetKind::IpField:
        return static_cast<int32_t>(NetworkOrderFromHostOrder(IpFieldControlValue(handle)));
    case GadgetKind::List:
        return FocusedRow(handle);
    case GadgetKind::Plain:
        break;
    }
    return 0;
}

void GadgetAddItem(int id, int position, std::string_view text)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return;
    if (record->kind == GadgetKind::Combo) {
        const std::string copy(text);
        ComboBox_InsertString(record->handle, position, copy.c_str());
    } else if (record->kind == GadgetKind::List) {
        InsertListRow(record->handle, position, text);
    }
}

void GadgetClearItems(int id)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return;
    if (record->kind == GadgetKind::Combo)
        ComboBox_ResetContent(record->handle);
    else if (record->kind == GadgetKind::List)
        ListView_DeleteAllItems(record->handle);
}

std::string GadgetItemText(int id, int item, int column)
{
    const GadgetRecord* record = GadgetRecordOf(id);
    if (!record)
        return {};
    if (record->kind == GadgetKind::Combo)
        return ComboItemText(record->handle, item);
    if (record->kind == GadgetKind::List)
        return ListCellText(record->handle, item, column, CellTextBuffer);
    return {};
}
