// quillet.exe's terminate handler. The C++ runtime's default one
// demangles the name of the escaping exception's type and writes it to
// standard error, which a windowed program does not have; its demangler alone
// is a tenth of quillet.exe. Defining the handler here keeps the runtime's
// copy, and the demangler with it, out of the link. Nothing should get here:
// every window procedure and WinMain catch what they call.

#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
