// The rules of start-up that do not need the platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// C:\Tools\prog.exe gives C:\Tools\ (backslash kept); no backslash gives "".
std::string ProgramFolderFromModulePath(std::string_view modulePath);

// The folder the three captures go to: the start folder, unless it holds a
// "%" or is empty (unreadable or too long); then the temporary folder, named
// without its trailing backslash. cmd expands %NAME% even inside quotes, so
// a "%" in the path would send the redirection, and the session viewer's
// "del", to some other folder. When neither folder is usable the result is
// empty and no capture is made anywhere.
std::string CaptureFolderFor(std::string_view startFolder, std::string_view tempFolder);

// The three capture files lie in the capture folder. The names are appended
// as they are, so a drive root gives C:\\2345.txt, which Windows accepts.
// An empty folder gives empty paths: a redirection to "" writes nothing.
struct CapturePaths {
    std::string workstation;  // "\2345.txt": net config workstation
    std::string session;      // "\bes.txt": net session
    std::string ping;         // "\123.txt": ping of the own computer name
};
CapturePaths CapturePathsFor(std::string_view captureFolder);

// Parameters for "cmd" (or "command"). Paths and the computer name stand in
// quotes so that blanks and & | < > ^ in them neither cut the redirection
// nor start anything else.
std::string WorkstationCaptureParameters(std::string_view capturePath);
std::string PingCaptureParameters(std::string_view computerName, std::string_view capturePath);
// The same ping for IPv4 only ("-4", Vista and later), for when the first
// one answered over IPv6. Older pings do not know "-4".
std::string PingIpv4CaptureParameters(std::string_view computerName, std::string_view capturePath);

// Installed memory in whole megabytes: the byte count held as a single
// precision float, divided by 1024 twice, rounded to nearest, halves to even.
int32_t MegabytesFromBytes(float bytes);
