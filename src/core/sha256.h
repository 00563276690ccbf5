// SHA-256 of a byte string, written out here because XP's CryptoAPI has it
// only from SP3 on and only through a provider that must be asked for by name.
#pragma once

#include <string>

namespace quillet {

// The digest of `bytes` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);

}  // namespace quillet
