// The libFuzzer targets: the executable fuzz_<name> feeds its input to the
// function <name> below (cmake/native.cmake lists them). Each hands a parser
// hostile bytes and checks only what must hold for any input: no crash, hang
// or sanitizer report, and results of bounded size. What the results are is
// checked in tests/native.
#include "adapters/echo_probe.h"
#include "app/startup_rules.h"
#include "sysinfo/capture_parsing.h"
#include "sysinfo/public_ip_page.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/line_reader.h"
#include "toolkit/text.h"

#include <algorithm>

// libFuzzer reports the trap with its stack and keeps the input.
#define FUZZ_CHECK(condition) ((condition) ? void(0) : __builtin_trap())

// Inputs that carry several texts separate them with 0xFF bytes.
std::string_view NextText(std::string_view& input)
{
    const std::string_view text = input.substr(0, input.find('\xFF'));
    input.remove_prefix(std::min(input.size(), text.size() + 1));
    return text;
}

// The read size and the line limit as numbers, then the bytes.
void line_reader(std::string_view input)
{
    const size_t piece = static_cast<uint32_t>(ParseInteger(NextText(input))) % 7 + 1;
    const size_t limit = static_cast<uint32_t>(ParseInteger(NextText(input))) % 16;
    LineReader reader([bytes = input, piece](char* buffer, size_t room) mutable {
        const size_t count = bytes.copy(buffer, std::min(room, piece));
        bytes.remove_prefix(count);
        return count;
    }, limit);
    for (size_t lines = 0; !reader.AtEnd(); ++lines)  // each line takes at least one byte
        FUZZ_CHECK(reader.ReadLine().size() <= limit && lines < input.size());
}

// One line of a capture, offered to both rules (line_reader covers the reading).
void capture_lines(std::string_view line)
{
    std::string found;
    FUZZ_CHECK(!WorkgroupFromLine(line, found) || found.size() < line.size());
    FUZZ_CHECK(OwnAddressFromLine(line, found) == PingBracket::None || found.size() < line.size());
}

void public_ip_page(std::string_view page)
{
    for (int32_t number : AddressNumbersFromText(PublicAddressFromPage(page)))
        FUZZ_CHECK(number >= 0 && number <= 255);
}

// Start folder, temporary folder, computer name.
void capture_commands(std::string_view input)
{
    const std::string_view startFolder = NextText(input);
    const std::string folder = CaptureFolderFor(startFolder, NextText(input));
    const std::string ping = PingCaptureParameters(NextText(input), CapturePathsFor(folder).ping);
    FUZZ_CHECK(folder.find('%') == std::string::npos && std::ranges::count(ping, '"') == 4);
}

// The first and the last address of a range: each address in it is probed once.
void dotted_address(std::string_view input)
{
    const std::string_view first = NextText(input);
    const uint32_t from = HostOrderFromNetworkOrder(AddressFromTextNetworkOrder(first));
    const uint32_t to = HostOrderFromNetworkOrder(AddressFromTextNetworkOrder(input));
    if (to >= from && to - from > 300)
        return;  // a long range is walked alike, only slower
    uint64_t probes = 0;
    ProbeRange(first, input, [&](uint32_t destination, std::string_view) {
        FUZZ_CHECK(HostOrderFromNetworkOrder(destination) == from + probes);  // ascending, none twice
        ++probes;
        return 0u;
    });
    FUZZ_CHECK(probes == (to >= from ? to - from + uint64_t{1} : 0));
}

// A host entry's address list of any length, four bytes an address.
void network_lines(std::string_view input)
{
    std::vector<const char*> list(input.size() / 4 + 1);  // ended by a null pointer
    for (size_t index = 0; index + 1 < list.size(); ++index)
        list[index] = input.data() + 4 * index;
    FUZZ_CHECK(LastDottedTextFromAddressList(list.data()).size() <= 15);
}

// A position, a count, a text and a key.
void text_operations(std::string_view input)
{
    const int start = ParseInteger(NextText(input));
    const int count = ParseInteger(NextText(input));
    const std::string_view text = NextText(input);
    FUZZ_CHECK(FindText(text, input, start) <= TextLength(text) && FieldOf(text, start, input).size() <= text.size());
    FUZZ_CHECK(MidText(text, start, count).size() <= text.size());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
