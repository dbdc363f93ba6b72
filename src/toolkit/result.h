// The expected-failure channel: a value, or a text that says what went wrong.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace wobbert {

struct Error {
  std::string message;
};

template <typename T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool Ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return Ok(); }

  T& Value() & {
    assert(Ok());
    return std::get<T>(state_);
  }
  const T& Value() const& {
    assert(Ok());
    return std::get<T>(state_);
  }
  T&& Value() && {
    assert(Ok());
    return std::get<T>(std::move(state_));
  }
  const std::string& ErrorMessage() const {
    assert(!Ok());
    return std::get<Error>(state_).message;
  }

 private:
  std::variant<T, Error> state_;
};

}  // namespace wobbert
