#pragma once
// How many F24 rows the forms take: the one place that says it.
namespace f24 {

// Rows of the TASI section of one ordinary form.
inline constexpr int kRigheModelloNormale = 4;
// Rows of the two ordinary forms a run may fill (from 5 rows on).
inline constexpr int kRigheDueModelli = 2 * kRigheModelloNormale;
// Rows of the simplified form, the most a run can fill.
inline constexpr int kRigheSemplificato = 10;

}  // namespace f24
