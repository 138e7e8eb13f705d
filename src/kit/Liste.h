#pragma once
// Small procedures over the lists of combo boxes and over the shared F24 rows.
#include <string_view>

#include "forms/Controls.h"

namespace shell {

// True when an item of the combo's list equals `Valore` exactly (case
// counts).
bool PresenteInCombo(std::string_view Valore, const forms::ComboBox& Casella);

// Sorts the items from index `Inizio` to the last in descending text order
// (by character codes: years come newest first); the items before `Inizio`
// keep their place, and so does the ItemData of every position.
void OrdinaCombo(forms::ComboBox& Casella, int Inizio);

// Empties the shared F24 rows (RigheF24) and their closing item.
void SvuotaRigheF24();

}  // namespace shell
