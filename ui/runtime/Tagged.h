#pragma once

#include "Conversions.h"
#include "Integer.h"

namespace carriers {

// A value that holds either an Integer or a Single and remembers which; used
// for the shared LoopIndex and CellIndex.
class Tagged {
  public:
    enum class Kind { Empty, Integer, Single };

    constexpr Tagged() = default;
    constexpr Tagged(Integer i) : kind_(Kind::Integer), integer_(i) {}
    constexpr Tagged(float f) : kind_(Kind::Single), single_(f) {}

    constexpr Kind kind() const { return kind_; }
    Integer AsInteger() const { return kind_ == Kind::Single ? Integer(ToIndex()) : integer_; }
    constexpr double AsDouble() const {
        return kind_ == Kind::Single ? static_cast<double>(single_) : integer_.value();
    }
    // An index is the nearest integer (ties to even); beyond 16 bits overflows.
    int ToIndex() const {
        switch (kind_) {
            case Kind::Single:
                return RoundToInteger(static_cast<double>(single_)).value();
            case Kind::Integer:
                return integer_.value();
            case Kind::Empty:
                break;
        }
        return 0;  // an empty value reads as zero
    }

  private:
    Kind kind_ = Kind::Empty;
    Integer integer_{};
    float single_ = 0.0f;
};

}  // namespace carriers
