#pragma once

#include <span>

#include "Language.h"

namespace form {

// The languages made from the translation files, in the table's order.
std::span<const Language* const> LanguageTable();

}  // namespace form
