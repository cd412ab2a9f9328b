#pragma once

#include <exception>

namespace carriers {

// The six kinds of run-time error. Any of them stops the running handler; the
// window reports it and ends the program.
enum class ErrorKind {
    Overflow,
    TypeMismatch,
    FloatingPointFault,
    SubscriptOutOfRange,
    InvalidArgument,
    MissingMarker,
};

// English name of the error kind, used in the error report and in test output.
const char* ErrorKindName(ErrorKind kind);

class RuntimeError : public std::exception {
  public:
    explicit RuntimeError(ErrorKind kind) : kind_(kind) {}
    ErrorKind kind() const { return kind_; }
    const char* what() const noexcept override { return ErrorKindName(kind_); }

  private:
    ErrorKind kind_;
};

[[noreturn]] inline void Raise(ErrorKind kind) { throw RuntimeError(kind); }

}  // namespace carriers
