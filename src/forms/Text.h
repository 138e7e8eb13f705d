#pragma once
// The forms layer counts the characters of its boxes with the platform's text
// helpers, under its own name forms::text.
#include "platform/Text.h"

namespace forms {

namespace text = platform::text;

}  // namespace forms
