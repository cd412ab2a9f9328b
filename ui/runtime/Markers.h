#pragma once

#include <array>

#include "RuntimeError.h"
#include "Tagged.h"

namespace carriers {

// A carrier marker's position, Single twips; the model keeps no other copy.
struct Marker {
    float Left;
    float Top;
};

// Shape1 (electrons) or Shape2 (holes): members 0..100, created at load.
class MarkerArray {
  public:
    static constexpr int kUBound = 100;
    static constexpr int kSize = kUBound + 1;

    MarkerArray(float loadLeft, float loadTop) { members_.fill(Marker{loadLeft, loadTop}); }

    Marker& operator()(int index) {
        if (index < 0 || index > kUBound) Raise(ErrorKind::MissingMarker);
        return members_[static_cast<std::size_t>(index)];
    }
    Marker& operator()(Integer index) { return (*this)(index.value()); }
    Marker& operator()(const Tagged& index) { return (*this)(index.ToIndex()); }

    const Marker& at(int index) const { return members_.at(static_cast<std::size_t>(index)); }
    const std::array<Marker, kSize>& members() const { return members_; }

  private:
    std::array<Marker, kSize> members_{};
};

}  // namespace carriers
