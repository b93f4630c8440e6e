// Facts about the machine and the user that the main window shows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

std::string UserName();      // empty when the platform cannot tell
std::string ComputerName();  // empty when the platform cannot tell

// The processor's brand string from the CPUID leaves 0x80000002..4; blanks
// around it stay, the text ends at its first zero byte (48 bytes at most).
std::string ProcessorBrand();
