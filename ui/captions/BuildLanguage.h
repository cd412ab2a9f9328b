#pragma once

#include "captions/Language.h"

namespace form {

// One source for every program: the build picks the program (Norvia's
// targets define QUARVEL_JAPANESE_BUILD), and with it the language it opens in.
inline const Program& BuildProgram() {
#ifdef QUARVEL_JAPANESE_BUILD
    return Norvia();
#else
    return Quarvel();
#endif
}

}  // namespace form
