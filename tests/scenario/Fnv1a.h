#pragma once

#include <cstddef>
#include <cstdint>

namespace carriers::testing {

// FNV-1a, 64 bits, over raw values: enough to tell two states apart, and
// the same in every build (sizes are given by the values, never size_t).
class Fnv1a {
  public:
    void AddBytes(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value_ ^= bytes[i];
            value_ *= 0x100000001b3u;
        }
    }
    template <class V>
    void Add(V v) {
        AddBytes(&v, sizeof v);
    }
    std::uint64_t value() const { return value_; }

  private:
    std::uint64_t value_ = 0xcbf29ce484222325u;
};

}  // namespace carriers::testing
