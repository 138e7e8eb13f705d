#pragma once
// The input conventions as one table across the kinds of box (kit/Convenzioni.h),
// to run on every box of every window:
//
//   using quotara::testing::Casella;
//   ControllaCaselle(user, desk, {{f.Text2, Casella::Cifre}, {f.Text4, Casella::Decimale}});
//
// Each box must be visible and enabled when the call starts. It checks that
// Enter moves to the next control and Esc to the previous one, that the text
// is selected when the box takes the focus (name combos aside), and what the
// kind takes and refuses from the keyboard and from a paste (Ctrl+V,
// Shift+Insert and the edit menu's "Incolla": a valid text, one with refused
// characters, one with nothing the box takes), that cut and copy put exactly
// the selection on the clipboard, and the edit menu's items; the box's text
// is restored afterwards only as far as typing allows.
#include <initializer_list>

#include "forms/ControlArray.h"

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"

namespace quotara::testing {

// Mesi: months of a half-year, digits 0 to 6 in the amount editor.
enum class Casella { Testo, Cifre, Decimale, Maiuscola, Importo, Data, Nome, Iban, Mesi };

struct CasellaDaControllare {
  forms::EditControl& casella;
  Casella tipo;
};

void ControllaCaselle(forms::ScriptedUser& user, forms::HeadlessDesktop& desk,
                      std::initializer_list<CasellaDaControllare> caselle);

// An option group from the keyboard: Tab leaves it from its selected option
// and Shift+Tab comes back to that option; Down/Right and Up/Left go through
// every option that can take the focus, wrapping round, each one focused and
// selected with its Click; Space keeps the focused one. Each option's Click
// may do what it does on the window (no message boxes expected).
void ControllaGruppo(forms::ScriptedUser& user, forms::ControlArray<forms::OptionButton>& gruppo);

}  // namespace quotara::testing
