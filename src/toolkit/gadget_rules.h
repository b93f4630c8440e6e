// The gadgets' own rules: style words from flags, list rows split into cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Extended style of a sunken client edge (WS_EX_CLIENTEDGE).
constexpr uint32_t ClientEdgeStyle = 0x200;
// Flag that means "border" on a label but "no border" on an edit field.
constexpr uint32_t BorderFlag = 0x20000;

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
