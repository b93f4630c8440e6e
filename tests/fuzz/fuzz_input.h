// Shared by the fuzz targets: taking an input apart, and stating invariants.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A broken invariant names itself before the fuzzer records the input.
#define FUZZ_CHECK(condition) \
    ((condition) ? void(0) : (std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, \
                                           #condition), std::abort()))

// Reads the input front to back: single bytes as small numbers, and texts
// cut at a separator byte so that the fuzzer can shape each one.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte()
    {
        if (rest_.empty())
            return 0;
        const uint8_t value = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }
    int32_t Number()  // four bytes, lowest first
    {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= static_cast<uint32_t>(Byte()) << shift;
        return static_cast<int32_t>(value);
    }
    // Up to the next 0xFF byte (not included), or the rest.
    std::string_view Text()
    {
        const size_t end = rest_.find('\xFF');
        const std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};
