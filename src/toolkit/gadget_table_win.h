// The gadget table shared by the creators (gadget_win.cpp) and the per-kind
// operations (gadget_operations_win.cpp).
#pragma once

#include <windows.h>

enum class GadgetKind { Button, Combo, Plain, IpField, List };

struct GadgetRecord {
    HWND handle = nullptr;  // 0 when the platform refused the control
    GadgetKind kind = GadgetKind::Plain;
    HWND parent = nullptr;  // the window it was made in
};

// The record under `id` when a live control is recorded there, else null.
const GadgetRecord* GadgetRecordOf(int id);
