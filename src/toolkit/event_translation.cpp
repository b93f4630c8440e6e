#include "toolkit/event_translation.h"

bool IsListViewClassName(std::string_view className)
{
    return className.substr(0, 4) == "SysL";
}

std::optional<int> ListViewNotifyKind(int code)
{
    switch (code) {
    case ClickCode: return 0;
    case RightClickCode: return 1;
    case DoubleClickCode:
    case ItemActivateCode: return 2;
    case RightDoubleClickCode: return 3;
    case ItemChangedCode: return -1;
    default: return std::nullopt;
    }
}

CommandTranslation TranslateCommand(uint64_t first, bool fromControl)
{
    const int lowWord = static_cast<int>(first & 0xFFFF);
    const int highWord = static_cast<int>((first >> 16) & 0xFFFF);
    if (fromControl)
        return {CommandRoute::GadgetEvent, lowWord, highWord};
    if (lowWord == TabForwardCommand)
        return {CommandRoute::TabForward, 0, -1};
    if (lowWord == TabBackwardCommand)
        return {CommandRoute::TabBackward, 0, -1};
    return {CommandRoute::None, 0, -1};
}
