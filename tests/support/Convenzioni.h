#pragma once
// The input conventions as one table across the kinds of box (shell/Convenzioni.h),
// to run on every box of every window:
//
//   using quotara::testing::Casella;
//   ControllaCaselle(user, desk, {{f.Text2, Casella::Cifre}, {f.Text4, Casella::Decimale}});
//
// Each box must be visible and enabled when the call starts. It checks that
// Enter moves to the next control and Esc to the previous one, that the text
// is selected when the box takes the focus (name combos aside), and what the
// kind takes and refuses from the keyboard and from a paste; the box's text is
// restored afterwards only as far as typing allows.
#include <initializer_list>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"

namespace quotara::testing {

enum class Casella { Testo, Cifre, Decimale, Maiuscola, Importo, Data, Nome, Iban };

struct CasellaDaControllare {
  forms::EditControl& casella;
  Casella tipo;
};

void ControllaCaselle(forms::ScriptedUser& user, forms::HeadlessDesktop& desk,
                      std::initializer_list<CasellaDaControllare> caselle);

}  // namespace quotara::testing
