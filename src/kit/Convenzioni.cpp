#include "kit/Convenzioni.h"

#include <algorithm>
#include <string>

#include "forms/Application.h"
#include "forms/ControlArray.h"
#include "forms/Text.h"
#include "platform/Cp1252.h"
#include "kit/Applicazione.h"
#include "kit/Editori.h"
#include "shell/Modulo1.h"

namespace shell {

using namespace forms;

namespace {

constexpr int kSelezionaTutto = 1;  // Ctrl+A
constexpr int kCopia = 3;           // Ctrl+C
constexpr int kIncolla = 22;        // Ctrl+V
constexpr int kTaglia = 24;         // Ctrl+X
constexpr int kAnnulla = 26;        // Ctrl+Z

bool Cifra(int k) { return k >= '0' && k <= '9'; }

// A Windows-1252 letter in upper case, accented ones included
// (platform::capitalLetter); other codes unchanged.
int Maiuscola(int k) {
  if (k < 0 || k > 0xFF) return k;
  const int capitale = platform::cp1252FromCodePoint(
      platform::capitalLetter(platform::cp1252ToCodePoint(static_cast<unsigned char>(k))));
  return capitale < 0 ? k : capitale;
}

// The box's text with a comma outside its selection (the part that a typed
// character keeps).
bool VirgolaFuoriSelezione(const Control& Casella) {
  const auto* box = dynamic_cast<const EditControl*>(&Casella);
  if (!box) return false;
  std::u32string t = text::toU32(box->Text());
  t.erase(static_cast<size_t>(box->SelStart()), static_cast<size_t>(box->SelLength()));
  return t.find(U',') != std::u32string::npos;
}

}  // namespace

bool InvioEsc(int& KeyAscii) {
  if (KeyAscii == vbKeyReturn) {
    KeyAscii = 0;
    SendKeys("{TAB}");
    return true;
  }
  if (KeyAscii == vbKeyEscape) {
    KeyAscii = 0;
    SendKeys("+{TAB}");
    return true;
  }
  return false;
}

void SelezionaTutto(EditControl& Casella) {
  Casella.setSelStart(0);
  Casella.setSelLength(text::length(Casella.Text()));
}

bool TastoControllo(int k) {
  return k == vbKeyBack || k == vbKeyTab || k == 10 || k == kSelezionaTutto || k == kCopia || k == kIncolla ||
         k == kTaglia || k == kAnnulla;
}

void RifiutaTasto(Control& Casella, int& KeyAscii) {
  KeyAscii = 0;
  RefuseKey(Casella);
}

void TastoCifre(Control& Casella, int& KeyAscii) {
  if (InvioEsc(KeyAscii)) return;
  if (!Cifra(KeyAscii) && !TastoControllo(KeyAscii)) RifiutaTasto(Casella, KeyAscii);
}

void TastoDecimale(Control& Casella, int& KeyAscii) {
  if (InvioEsc(KeyAscii)) return;
  if (KeyAscii == '.') KeyAscii = ',';
  // One decimal comma: a second one would leave a number that reads as none.
  if (KeyAscii == ',' && VirgolaFuoriSelezione(Casella)) return RifiutaTasto(Casella, KeyAscii);
  if (!Cifra(KeyAscii) && KeyAscii != ',' && !TastoControllo(KeyAscii)) RifiutaTasto(Casella, KeyAscii);
}

void TastoMaiuscolo(Control& Casella, int& KeyAscii) {
  if (InvioEsc(KeyAscii)) return;
  if (KeyAscii == ',' || KeyAscii == '.' || KeyAscii == ';')
    RifiutaTasto(Casella, KeyAscii);
  else
    KeyAscii = Maiuscola(KeyAscii);
}

void TastoNome(EditControl& Casella, int& KeyAscii) {
  if (InvioEsc(KeyAscii)) return;
  if (KeyAscii == ',' || KeyAscii == ';') RifiutaTasto(Casella, KeyAscii);
}

void TastoIban(TextBox& Casella, int& KeyAscii) {
  if (InvioEsc(KeyAscii)) return;
  if (TastoControllo(KeyAscii)) return;
  if (const int k = CarattereIban(KeyAscii)) {
    KeyAscii = k;
  } else if (KeyAscii == ' ' || KeyAscii == '-' || KeyAscii == '.' || KeyAscii == '/') {
    KeyAscii = 0;  // the groups' separators are not part of the IBAN
  } else {
    RifiutaTasto(Casella, KeyAscii);
  }
}

void CasellaIban(TextBox& Casella) {
  TextBox* box = &Casella;
  box->setMaxLength(kLunghezzaIban);
  box->KeyPress = [box](int& k) { TastoIban(*box, k); };
  box->Change = [box] {
    const std::string compatto = IbanCompatto(box->Text());
    if (compatto != box->Text())
      box->setText(compatto);  // its own Change runs again and puts the caret
    else
      box->setSelStart(text::length(compatto));
  };
}

void CasellaTesto(TextBox& Casella) {
  Casella.KeyPress = [](int& k) { InvioEsc(k); };
}

void CasellaCifre(TextBox& Casella) {
  TextBox* box = &Casella;
  box->KeyPress = [box](int& k) { TastoCifre(*box, k); };
}

void CasellaDecimale(TextBox& Casella) {
  TextBox* box = &Casella;
  box->KeyPress = [box](int& k) { TastoDecimale(*box, k); };
}

void CasellaMaiuscola(TextBox& Casella) {
  TextBox* box = &Casella;
  box->KeyPress = [box](int& k) { TastoMaiuscolo(*box, k); };
}

bool MaiuscoloInFondo(TextBox& Casella) {
  const std::string maiuscolo = Maiuscolo(Casella.Text());
  if (maiuscolo != Casella.Text()) {
    Casella.setText(maiuscolo);  // its own Change puts the caret
    return true;
  }
  Casella.setSelStart(text::length(maiuscolo));
  return false;
}

void CasellaMaiuscolaInFondo(TextBox& Casella) {
  CasellaMaiuscola(Casella);
  TextBox* box = &Casella;
  box->Change = [box] { MaiuscoloInFondo(*box); };
}

void CasellaMaiuscolaInFondo(ControlArray<TextBox>& Gruppo) {
  ControlArray<TextBox>* gruppo = &Gruppo;
  gruppo->KeyPress = [gruppo](int Index, int& k) { TastoMaiuscolo((*gruppo)[Index], k); };
  gruppo->Change = [gruppo](int Index) { MaiuscoloInFondo((*gruppo)[Index]); };
}

void CasellaImporto(TextBox& Casella, bool Decimali) {
  TextBox* box = &Casella;
  box->KeyDown = [box](int& k, int) { ImportoKeyDown(*box, k); };
  box->KeyPress = [box, Decimali](int& k) {
    if (!InvioEsc(k)) ImportoKeyPress(*box, k, Decimali);
  };
}

void CasellaData(TextBox& Casella, std::string_view Maschera) {
  TextBox* box = &Casella;
  const std::string maschera(Maschera);
  box->KeyDown = [box, maschera](int& k, int) { DataKeyDown(*box, k, maschera); };
  box->KeyPress = [box, maschera](int& k) {
    if (!InvioEsc(k)) DataKeyPress(*box, k, maschera);
  };
}

void CasellaNome(ComboBox& Casella) {
  ComboBox* box = &Casella;
  box->KeyPress = [box](int& k) { TastoNome(*box, k); };
  box->Change = [box] {
    if (!app().InCaricamento) ComboAutoCompleta(*box);
  };
}

void InvioEsc(CheckBox& Casella) {
  Casella.KeyPress = [](int& k) { InvioEsc(k); };
}

void InvioEsc(ControlArray<OptionButton>& Gruppo) {
  Gruppo.KeyPress = [](int, int& k) { InvioEsc(k); };
}

}  // namespace shell
