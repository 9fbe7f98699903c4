#pragma once
// Errors the syntax box reports to its caller, each with the number a
// scripting host would show for it.
//
//   InvalidArgument       code 5    a value outside what the member accepts
//                                   (for example Entities outside 0..63);
//                                   the member keeps its old value.
//   InvalidPropertyValue  code 380  the text box refused a value (a negative
//                                   selection start or length).
#include <stdexcept>
#include <string>

class ControlError : public std::runtime_error {
public:
    ControlError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

class InvalidArgument : public ControlError {
public:
    explicit InvalidArgument(const std::string& what = "Invalid procedure call or argument")
        : ControlError(5, what) {}
};

class InvalidPropertyValue : public ControlError {
public:
    explicit InvalidPropertyValue(const std::string& what = "Invalid property value")
        : ControlError(380, what) {}
};
