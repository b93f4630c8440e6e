// Numbered controls ("gadgets") inside the toolkit's windows, and fonts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

void GadgetsInit();
void FontsInit();

HWND GadgetParentSet(HWND parent);

HWND ButtonCreate(int id, int x, int y, int width, int height, std::string_view text);
HWND ComboCreate(int id, int x, int y, int width, int height);
HWND EditCreate(int id, int x, int y, int width, int height, std::string_view text,
                uint32_t flags);
HWND LabelCreate(int id, int x, int y, int width, int height, std::string_view text);
HWND LabelCreate(int id, int x, int y, int width, int height, std::string_view text,
                 uint32_t flags);
HWND IpFieldCreate(int id, int x, int y, int width, int height);
HWND ListCreate(int id, int x, int y, int width, int height, std::string_view firstTitle,
                int firstWidth, uint32_t flags = 0);
void ListColumnAdd(int id, int position, std::string_view title, int width);

void GadgetSetText(int id, std::string_view text);
std::string GadgetGetText(int id);
void GadgetSetState(int id, int32_t value);
int32_t GadgetGetState(int id);
void GadgetAddItem(int id, int position, std::string_view text);
void GadgetClearItems(int id);
std::string GadgetItemText(int id, int item, int column);
// The font handle that stands for the platform's stock GUI font.
inline const HFONT GadgetStockFont = reinterpret_cast<HFONT>(static_cast<INT_PTR>(-1));
// Id -1 sets the font for gadgets created afterwards.
void GadgetSetFont(int id, HFONT font);
void GadgetFocus(int id);
HWND GadgetHandle(int id);

// Loads a font of `points` size under `number`, deleting one stored there.
HFONT FontLoad(int number, std::string_view face, int points);

// Forgets the gadgets made in `parent`, which has been destroyed: their ids
// then name no control until they are made anew.
void GadgetsForget(HWND parent);

// Releases the gadget and font tables (end of program).
void GadgetsRelease();
