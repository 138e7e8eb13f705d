#pragma once
// The program's message boxes, all titled with the product name. A window
// never writes the title or the buttons itself:
//
//   shell::Messaggio("Dati archiviati!");                     // OK, information
//   if (!shell::Domanda("Vuoi archiviare questi dati?")) return;
//   return shell::Rifiuta(Combo1, "Devi immettere il nome del contribuente.");
#include <string>

#include "forms/Constants.h"

namespace forms {
class Control;
}

namespace shell {

// The product's name: the title of every message box and of the frame.
inline constexpr const char* kTitolo = "Quotara";

// An OK box with `Icona` (information by default).
void Messaggio(const std::string& Testo, int Icona = forms::vbInformation);

// A Yes/No box with `Icona` (question by default): true when the answer is Yes.
bool Domanda(const std::string& Testo, int Icona = forms::vbQuestion);

// The validator step: the message (exclamation by default), the focus on the
// box that is wrong, and false for the caller to return.
bool Rifiuta(forms::Control& Casella, const std::string& Testo, int Icona = forms::vbExclamation);

}  // namespace shell
