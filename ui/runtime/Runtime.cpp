#include "Runtime.h"

namespace carriers {

Runtime::Runtime(const LoadState& load, std::string decimalSeparator)
    : shape1_(load.electrons.Left, load.electrons.Top),
      shape2_(load.holes.Left, load.holes.Top),
      diagram_(load.diagram),
      decimalSeparator_(std::move(decimalSeparator)) {}

}  // namespace carriers
