// The lines the LAN and adapter lists show from what the network and the
// system report: server numbers and names, resolved address lists of any
// length, adapter descriptions.
#include "adapters/adapter_rows.h"
#include "fuzz_input.h"
#include "lan/server_lines.h"
#include "toolkit/ipv4_address.h"
#include "toolkit/text.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const int32_t number = input.Number();
    const std::string_view name = input.Text();
    const std::string_view description = input.Text();
    const std::string_view addressBytes = input.Rest();

    // A host entry's address list: four bytes each, ended by a null pointer.
    std::vector<const char*> list;
    for (size_t offset = 0; offset + 4 <= addressBytes.size(); offset += 4)
        list.push_back(addressBytes.data() + offset);
    list.push_back(nullptr);
    const std::string address = LastDottedTextFromAddressList(list.data());
    if (list.size() == 1) {
        FUZZ_CHECK(address.empty());
    } else {
        const auto* last = reinterpret_cast<const unsigned char*>(list[list.size() - 2]);
        const std::array<int32_t, 4> numbers = AddressNumbersFromText(address);
        for (size_t index = 0; index < 4; ++index)
            FUZZ_CHECK(numbers[index] == last[index]);
        FUZZ_CHECK(address.size() >= 7 && address.size() <= 15 && address == DottedTextFromNetworkBytes(last));
    }

    const std::string line = ServerLine(number, name, address.empty() ? unresolvedNameText : address);
    FUZZ_CHECK(line.starts_with("No : ") && ParseInteger(line.substr(5)) == number);
    const size_t nameStart = line.find("  ") + 2;
    FUZZ_CHECK(line.compare(nameStart, name.size(), name) == 0);
    FUZZ_CHECK(line.substr(nameStart + name.size()) ==
               " --> " + std::string(address.empty() ? unresolvedNameText : address));

    AdapterEntry entry{std::string(description), address, static_cast<uint32_t>(number),
                       AdapterTypeName(static_cast<uint32_t>(number))};
    const std::string row = AdapterRowText(entry, number & 1 ? " alive" : " no");
    if (description.find('\n') == std::string_view::npos)
        FUZZ_CHECK(FieldOf(row, 1, "\n") == address && FieldOf(row, 2, "\n") == description &&
                   FieldOf(row, 3, "\n") == entry.typeName && FieldOf(row, 4, "\n") == (number & 1 ? " alive" : " no"));
    FUZZ_CHECK(entry.typeName.ends_with(" Adapter"));
    return 0;
}
