#include "RuntimeError.h"

namespace carriers {

const char* ErrorKindName(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Overflow:
            return "Overflow";
        case ErrorKind::TypeMismatch:
            return "Type mismatch";
        case ErrorKind::FloatingPointFault:
            return "Floating-point fault";
        case ErrorKind::SubscriptOutOfRange:
            return "Subscript out of range";
        case ErrorKind::InvalidArgument:
            return "Invalid procedure call or argument";
        case ErrorKind::MissingMarker:
            return "Control array element does not exist";
    }
    return "Unknown error";
}

}  // namespace carriers
