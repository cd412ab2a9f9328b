#include "Tagged.h"

#include "Conversions.h"

namespace carriers {

int Tagged::ToIndex() const {
    switch (kind_) {
        case Kind::Single: return RoundToInteger(static_cast<double>(single_)).value();
        case Kind::Integer: return integer_.value();
        case Kind::Empty: break;
    }
    return 0;  // an empty value reads as zero
}

}  // namespace carriers
