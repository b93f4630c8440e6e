#include "app/info_link_caption.h"

#include "toolkit/text.h"

std::string UnscrambleCaption(const ScrambledCaption& stored)
{
    std::string caption;
    for (int index = 0; index < captionLength; ++index) {
        const char* entry = &stored[static_cast<size_t>(index * 2)];
        caption += CharText(CharCode(entry) - 33);
    }
    return caption;
}

const ScrambledCaption storedInfoLinkCaption = ScrambleCaption("Wendelkamm V4.0");
