// What quillet.exe takes from the C++ runtime in its own, smaller form. Only
// the program links this file; the test programs keep the runtime's own.
//
// The terminate handler: the runtime's default one demangles the name of the
// escaping exception's type and writes it to standard error, which a
// windowed program does not have; its demangler alone is a tenth of
// quillet.exe. Nothing should get here: every window procedure and WinMain
// catch what they call.
//
// The library's error throwers (std::__throw_out_of_range and its kin, all of
// them, so that the runtime's own object is never linked): the runtime's
// versions construct std::logic_error and friends, which bring its old
// copy-on-write strings and exception classes (some 45 KB). These throw the
// program's own error with the same text, which the general error report
// shows like any other. A length, range or argument error here is a
// programming error; the program catches all errors alike.

#include <cstdlib>
#include <exception>
#include <functional>
#include <new>
#include <typeinfo>

#include "base/error.h"

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* text) { throw base::Error(text); }
void __throw_domain_error(const char* text) { throw base::Error(text); }
void __throw_invalid_argument(const char* text) { throw base::Error(text); }
void __throw_length_error(const char* text) { throw base::Error(text); }
void __throw_out_of_range(const char* text) { throw base::Error(text); }
// The format's values are left out: the text names the call that failed.
void __throw_out_of_range_fmt(const char* format, ...) { throw base::Error(format); }
void __throw_runtime_error(const char* text) { throw base::Error(text); }
void __throw_range_error(const char* text) { throw base::Error(text); }
void __throw_overflow_error(const char* text) { throw base::Error(text); }
void __throw_underflow_error(const char* text) { throw base::Error(text); }

}  // namespace std
