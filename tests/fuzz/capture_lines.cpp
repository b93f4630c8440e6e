// A capture file of arbitrary bytes read as start-up reads it: line by line,
// each line offered to the workgroup and the own-address rules.
#include "fuzz_input.h"
#include "sysinfo/capture_parsing.h"
#include "toolkit/line_reader.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

#include <algorithm>
#include <cstring>

namespace {

void CheckWorkgroupLine(const std::string& line, std::string& workgroup)
{
    const std::string before = workgroup;
    const std::string trimmed = TrimBlanks(line);
    const bool keyed = trimmed.starts_with("Arbeitsstationsdom") || trimmed.starts_with("Workstation domain");
    FUZZ_CHECK(WorkgroupFromLine(line, workgroup) == keyed);
    if (!keyed) {
        FUZZ_CHECK(workgroup == before);
        return;
    }
    FUZZ_CHECK(workgroup == TrimBlanks(workgroup));
    FUZZ_CHECK(line.find(workgroup) != std::string::npos);
    FUZZ_CHECK(workgroup.size() + 18 <= trimmed.size() || workgroup.empty());
}

void CheckAddressLine(const std::string& line, std::string& address)
{
    const std::string before = address;
    const bool bracket = line.find('[') != std::string::npos;
    const PingBracket kind = OwnAddressFromLine(line, address);
    FUZZ_CHECK((kind != PingBracket::None) == bracket);
    if (!bracket) {
        FUZZ_CHECK(address == before);
        return;
    }
    FUZZ_CHECK(address.find_first_of(" ]:") == std::string::npos);
    FUZZ_CHECK(kind == PingBracket::Ipv4 || address.empty());
    FUZZ_CHECK(RemoveAll(line, " ").find("[" + address + "]") != std::string::npos || address.empty());
    AddressNumbersFromText(address);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view capture(reinterpret_cast<const char*>(data), size);
    size_t position = 0;
    LineReader reader([&](char* buffer, size_t capacity) {
        const size_t count = std::min(capacity, capture.size() - position);
        std::memcpy(buffer, capture.data() + position, count);
        position += count;
        return count;
    });
    std::string workgroup, address;
    do {
        const std::string line = reader.ReadLine();
        FUZZ_CHECK(line.size() <= longestLine && line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        CheckWorkgroupLine(line, workgroup);
        CheckAddressLine(line, address);
    } while (!reader.AtEnd());
    return 0;
}
