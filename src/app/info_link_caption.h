// The InfoLink's caption, kept scrambled in the program.
#pragma once

#include <array>
#include <string>

// 15 one-character texts with their terminating zero, each character code
// plus 33 (mod 256).
constexpr int captionLength = 15;
using ScrambledCaption = std::array<char, captionLength * 2>;

constexpr ScrambledCaption ScrambleCaption(const char (&caption)[captionLength + 1])
{
    ScrambledCaption stored{};
    for (int index = 0; index < captionLength; ++index)
        stored[static_cast<size_t>(index * 2)] =
            static_cast<char>((static_cast<unsigned char>(caption[index]) + 33) & 0xFF);
    return stored;
}

std::string UnscrambleCaption(const ScrambledCaption& stored);

// The caption that the main window shows, in its stored form.
extern const ScrambledCaption storedInfoLinkCaption;
