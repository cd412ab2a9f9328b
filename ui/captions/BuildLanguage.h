#pragma once

#include "captions/Language.h"

namespace form {

// One source for every program: the build picks the caption table (Norvia's
// targets define QUARVEL_JAPANESE_BUILD).
inline const Language& BuildLanguage() {
#ifdef QUARVEL_JAPANESE_BUILD
    return JapaneseLanguage();
#else
    return EnglishLanguage();
#endif
}

}  // namespace form
