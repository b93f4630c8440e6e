// Text operations on arbitrary input; the sanitizers catch bad accesses and arithmetic.
#include "toolkit/text.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const int first = static_cast<int8_t>(data[0]);
    const int second = static_cast<int8_t>(data[1]);
    const size_t split = data[2] % (size - 3 + 1);
    const std::string text(reinterpret_cast<const char*>(data + 3), split);
    const std::string key(reinterpret_cast<const char*>(data + 3 + split), size - 3 - split);

    const int found = FindText(text, key, first);
    if (found != 0 && (found < 1 || text.compare(static_cast<size_t>(found - 1), key.size(), key) != 0))
        __builtin_trap();
    if (MidText(text, first, second).size() > static_cast<size_t>(second < 0 ? 0 : second))
        __builtin_trap();
    if (FieldOf(text, first, key).size() > text.size())
        __builtin_trap();
    if (RemoveAll(text, key).size() > text.size())
        __builtin_trap();
    ParseInteger(text);
    ParseInteger(key);
    AddressNumbersFromText(text);
    PackAddress(ParseInteger(text), ParseInteger(key), first, second);
    return 0;
}
