#pragma once
// The blank IMU/TASI declaration that the program carries among its
// resources: two A4 pages of ruled boxes to fill by hand.
#include <string>

namespace strumenti {

// Writes the declaration to `percorso`. The same bytes every time: the
// creation date is fixed.
void ScriviDichiarazione(const std::string& percorso);

}  // namespace strumenti
