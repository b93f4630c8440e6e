#include "app/startup_rules.h"

#include "toolkit/command_line.h"

#include <cmath>

std::string ProgramFolderFromModulePath(std::string_view modulePath)
{
    size_t lastBackslash = modulePath.rfind('\\');
    if (lastBackslash == std::string_view::npos)
        return {};
    return std::string(modulePath.substr(0, lastBackslash + 1));
}

namespace {

bool IsCaptureFolder(std::string_view folder)
{
    return !folder.empty() && folder.find('%') == std::string_view::npos;
}

} // namespace

std::string CaptureFolderFor(std::string_view startFolder, std::string_view tempFolder)
{
    if (IsCaptureFolder(startFolder))
        return std::string(startFolder);
    if (tempFolder.ends_with('\\'))
        tempFolder.remove_suffix(1);
    return IsCaptureFolder(tempFolder) ? std::string(tempFolder) : std::string();
}

CapturePaths CapturePathsFor(std::string_view captureFolder)
{
    if (captureFolder.empty())
        return {};
    const std::string folder(captureFolder);
    return {folder + "\\2345.txt", folder + "\\bes.txt", folder + "\\123.txt"};
}

std::string WorkstationCaptureParameters(std::string_view capturePath)
{
    return " /c Net config workstation > " + Quoted(capturePath);
}

std::string PingCaptureParameters(std::string_view computerName, std::string_view capturePath)
{
    return " /c Ping -n 1 " + Quoted(computerName) + " > " + Quoted(capturePath);
}

std::string PingIpv4CaptureParameters(std::string_view computerName, std::string_view capturePath)
{
    return " /c Ping -4 -n 1 " + Quoted(computerName) + " > " + Quoted(capturePath);
}

int32_t MegabytesFromBytes(float bytes)
{
    // nearbyint rounds in the default mode: to nearest, ties to even.
    return static_cast<int32_t>(std::nearbyint(bytes / 1024.0f / 1024.0f));
}
