#pragma once
// The input conventions every window follows, one call per box in the
// window's constructor (after the box is created, before its own handlers):
//
//   shell::CasellaCifre(Text2);            // Enter/Esc, selected on focus, digits only
//   shell::CasellaDecimale(Text4);         // ... digits and the decimal comma ("." types ",")
//   shell::CasellaMaiuscola(txtFoglio);    // ... upper case, "," "." ";" refused
//   shell::CasellaImporto(Text3);          // ... the shared amount editor (Editori.h)
//   shell::CasellaData(txtData);           // ... the shared date editor, "  /  /    "
//   shell::CasellaIban(txtIban);           // ... an IBAN: letters and digits only,
//                                          //     upper case, blanks dropped, 27 at most
//   shell::CasellaNome(Combo1);            // ... a name: "," ";" refused, the list
//                                          //     completes it
//   shell::CasellaTesto(txtNote);          // Enter/Esc and selected on focus only
//   shell::InvioEsc(Check1);               // Enter/Esc on a check or option box
//
// Enter moves to the next control, Esc to the previous one; a single-line box
// selects its whole text as it takes the focus by itself. A paste goes
// through the same rules as typing, character by character. A window that needs
// more on a key sets its own handler afterwards and calls the kit's
// handler (TastoCifre, ...) from it.
#include <string>
#include <string_view>

#include "forms/ControlArray.h"
#include "forms/Controls.h"

namespace shell {

// Enter becomes Tab, Esc Shift+Tab (KeyAscii 0); true when the key was one of them.
bool InvioEsc(int& KeyAscii);
// The whole text selected.
void SelezionaTutto(forms::EditControl& Casella);

// Backspace, Tab, line feed, Ctrl+A (the whole text selected), Ctrl+C (copy),
// Ctrl+V (paste: the text comes back through the box's rules one character
// at a time), Ctrl+X (cut) and Ctrl+Z (undo) pass through every box.
bool TastoControllo(int KeyAscii);

// A key the box refuses: KeyAscii becomes 0, the bell sounds and the box
// flashes, so that the refusal is seen where no bell is heard.
void RifiutaTasto(forms::Control& Casella, int& KeyAscii);

// The KeyPress rules of each kind of box (Enter/Esc included): a refused key
// goes to RifiutaTasto, a key typed as another character is changed.
void TastoCifre(forms::Control& Casella, int& KeyAscii);
void TastoDecimale(forms::Control& Casella, int& KeyAscii);
void TastoMaiuscolo(forms::Control& Casella, int& KeyAscii);
void TastoNome(forms::EditControl& Casella, int& KeyAscii);
// An IBAN box: a letter in upper case, a digit as it is; a blank or a "-",
// "." or "/" between the groups, as banks print them, is dropped without a
// refusal; anything else refused. A paste keeps only the letters and digits of
// the clipboard's first line, within MaxLength.
void TastoIban(forms::TextBox& Casella, int& KeyAscii);

void CasellaTesto(forms::TextBox& Casella);
void CasellaCifre(forms::TextBox& Casella);
void CasellaDecimale(forms::TextBox& Casella);
void CasellaMaiuscola(forms::TextBox& Casella);
// CasellaMaiuscola, and every change (code included) leaves the text in upper
// case with the caret after its last character. A window that needs more on
// the change chains the kit's handler.
void CasellaMaiuscolaInFondo(forms::TextBox& Casella);
// The same for every box of a control array (a window with its own key rules
// sets the array's KeyPress afterwards).
void CasellaMaiuscolaInFondo(forms::ControlArray<forms::TextBox>& Gruppo);
// The change step of those boxes: the text in upper case with the caret after
// its last character. True when it had to change the text, whose own Change
// has then already run again: a window chaining it stops there.
bool MaiuscoloInFondo(forms::TextBox& Casella);
// An IBAN: TastoIban, at most 27 characters, and every change (code
// included, an IBAN loaded with blanks) leaves only the letters and digits,
// in upper case, with the caret after the last one.
void CasellaIban(forms::TextBox& Casella);
// `Decimali`: the amount takes a decimal comma.
void CasellaImporto(forms::TextBox& Casella, bool Decimali = true);
void CasellaData(forms::TextBox& Casella, std::string_view Maschera = "  /  /    ");
// A combo of names (taxpayer, address, municipality): Enter/Esc, "," and ";"
// refused (in a paste they and the line breaks become blanks between the
// words, forms::EditControl::paste); each change completes the text
// from the list (unless another window is filling it, InCaricamento).
void CasellaNome(forms::ComboBox& Casella);

// Enter/Esc on a check box or on every button of an option group.
void InvioEsc(forms::CheckBox& Casella);
void InvioEsc(forms::ControlArray<forms::OptionButton>& Gruppo);

}  // namespace shell
