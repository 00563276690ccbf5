// The compiler version the user has chosen with the radio buttons.
#pragma once

namespace quillet {

enum class Version { None, D1, D2, D3 };

}  // namespace quillet
