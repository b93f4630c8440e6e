// Start-up facts read from the capture files.
#pragma once

#include <string>
#include <string_view>

// The workgroup or domain named in the workstation capture ("" when none),
// in the ANSI code page; deletes the capture.
std::string ReadWorkgroup(const std::string& capturePath);

// What the ping capture says about the own address. The capture is deleted
// once read, so a later reading finds nothing and names no address.
struct PingReading {
    bool named = false;      // a line held a bracket; `address` is its text
    std::string address;     // empty when the bracket held an IPv6 address
    bool overIpv6 = false;   // the last bracket held an IPv6 address
};
PingReading ReadPingCapture(const std::string& capturePath);

// The own address as the IP field should show it: the capture's, or
// `lastAddress` (the one read before) once the capture is gone.
std::string ReadOwnAddress(const std::string& capturePath, std::string_view lastAddress);
