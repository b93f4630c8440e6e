// The gadgets' own rules: style words from flags, list rows split into cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// This file builds without the platform's headers: the platform's numbers
// below carry their names in comments, and win32_constants_win.cpp holds each
// against those names.

// Extended style of a sunken client edge (WS_EX_CLIENTEDGE).
constexpr uint32_t ClientEdgeStyle = 0x200;
// Flag that means "border" on a label but "no border" on an edit field.
constexpr uint32_t BorderFlag = 0x20000;

// The style bits every edit field, label and list gets.
// WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL
constexpr uint32_t EditFixedStyle = 0x50030080;
// WS_CHILD | WS_VISIBLE | WS_GROUP
constexpr uint32_t LabelFixedStyle = 0x50020000;
// WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS
constexpr uint32_t ListFixedStyle = 0x50010041;
constexpr uint32_t ListSingleSelection = 0x4;  // LVS_SINGLESEL

// List flags that also ask for an extended list style, and those styles.
constexpr uint32_t ListCheckBoxesFlag = 0x1;
constexpr uint32_t ListGridLinesFlag = 0x10000;
constexpr uint32_t ListHeaderDragDropFlag = 0x10000000;
constexpr uint32_t ListFullRowSelectFlag = 0x40000000;
constexpr uint32_t GridLinesListStyle = 0x1;        // LVS_EX_GRIDLINES
constexpr uint32_t CheckBoxesListStyle = 0x4;       // LVS_EX_CHECKBOXES
constexpr uint32_t HeaderDragDropListStyle = 0x10;  // LVS_EX_HEADERDRAGDROP
constexpr uint32_t FullRowSelectListStyle = 0x20;   // LVS_EX_FULLROWSELECT

uint32_t EditStyleFromFlags(uint32_t flags);
uint32_t EditExtendedStyleFromFlags(uint32_t flags);
uint32_t LabelStyleFromFlags(uint32_t flags);
uint32_t LabelExtendedStyleFromFlags(uint32_t flags);

// List view: the flags with the fixed style bits, single selection unless
// flag 4 asks for several rows.
uint32_t ListStyleFromFlags(uint32_t flags);
// LVS_EX_* bits chosen by the same flags; 0 when none is asked for.
uint32_t ListExtendedStyleFromFlags(uint32_t flags);

// The cells of a list row: the text split at line feeds. Two line feeds in a
// row give an empty cell; a trailing line feed adds none.
std::vector<std::string> SplitRowText(std::string_view text);
