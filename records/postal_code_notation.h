#pragma once
// A postal code written the way a record wrote its own: ddd-dddd where it had
// a dash at the fourth place (or nothing, or a code of before 1998),
// ddddddd where it had none; 〒 and full-width digits kept where it had them.
#include "text/text.h"

namespace zumaro {

// `key` (seven ASCII digits) in the notation of the field `asRead`.
Text postalCodeLike(TextView asRead, TextView key);

}  // namespace zumaro
