// The exception the program throws for its run-time errors; the general
// error report shows its text. (The library's std::runtime_error would bring
// the runtime's old string and exception classes into quillet.exe.)
#pragma once

#include <exception>
#include <string>

namespace base {

class Error : public std::exception {
public:
    explicit Error(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

}  // namespace base
