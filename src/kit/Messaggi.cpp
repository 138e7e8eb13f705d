#include "kit/Messaggi.h"

#include "forms/Application.h"
#include "forms/Control.h"

namespace shell {

void Messaggio(const std::string& Testo, int Icona) { forms::MsgBox(Testo, forms::vbOKOnly, Icona, kTitolo); }

bool Domanda(const std::string& Testo, int Icona) {
  return forms::MsgBox(Testo, forms::vbYesNo, Icona, kTitolo) == forms::vbYes;
}

bool Rifiuta(forms::Control& Casella, const std::string& Testo, int Icona) {
  Messaggio(Testo, Icona);
  Casella.SetFocus();
  return false;
}

}  // namespace shell
