#pragma once
// The shared editors of amount boxes, date boxes and name combos. A window's
// key and change handlers only pass their control and the key here:
//
//   Text3.KeyDown  = [this](int& KeyCode, int) { shell::ImportoKeyDown(Text3, KeyCode); };
//   Text3.KeyPress = [this](int& KeyAscii) { ...Enter/Esc...; shell::ImportoKeyPress(Text3, KeyAscii, true); };
//   Combo1.Change  = [this] { if (!shell::app().InCaricamento) shell::ComboAutoCompleta(Combo1); };
//
// Positions count characters; the caret is the box's SelStart.
#include <string>
#include <string_view>

#include "forms/Controls.h"

namespace shell {

// Key-down of an amount box: Left and Right step over the thousands
// separators, Up and Down are swallowed, Delete blanks the digit after the
// caret and formats the box again (the whole text selected gives "0").
// KeyCode becomes 0 when the key is swallowed.
void ImportoKeyDown(forms::TextBox& Casella, int& KeyCode);

// Key-press of an amount box, in overwrite mode: a digit replaces the one
// after the caret or, at the end, is appended within MaxLength; Backspace
// turns the digit before the caret into "0"; "," only with `Decimali` and
// only once; the decimal part takes at most two digits; Ctrl+A selects the
// whole text. A "." becomes a tentative ",": a third digit typed after it
// makes it a thousands separator after all, and the box shows the whole
// number typed so far ("40.000,00" types 40.000,00, "12.50" types 12,50).
// Refused keys go to RifiutaTasto. KeyAscii becomes 0 when the key is
// swallowed.
void ImportoKeyPress(forms::TextBox& Casella, int& KeyAscii, bool Decimali);

// The value of `Testo` (ValoreImporto) as a whole number grouped by three
// with ".": "##,###,##0".
std::string FormattaImporto(std::string_view Testo);

// Every "." of the text is a blank, every "," the decimal point; the number at
// the start of the text, blanks ignored; 0 when there is none.
double ValoreImporto(std::string_view Testo);

// Change of a name combo: when the user has just typed a character at the end
// of the text, the first list item that begins with the typed text (case
// ignored) is selected and its untyped part highlighted; when none does, the
// typed text stays as it is, anything after the caret cut off. A change made
// by code, a deletion, Backspace or an edit inside the text completes nothing.
void ComboAutoCompleta(forms::ComboBox& Casella);

// Key-down of a date box shaped like `Maschera` ("  /  /    "): Left and Right
// step over the "/" and never past the first blank, Up and Down are
// swallowed, Delete writes "0" over the digit after the caret (or the mask
// over the selected part; the mask when everything is selected).
void DataKeyDown(forms::TextBox& Casella, int& KeyCode, std::string_view Maschera);

// Key-press of a date box: a digit overwrites the character after the caret
// and the caret skips a following "/"; Backspace writes "0" over the digit
// before the caret; Ctrl+A selects the whole text; anything else is refused
// (RifiutaTasto). Every key is swallowed.
void DataKeyPress(forms::TextBox& Casella, int& KeyAscii, std::string_view Maschera);

}  // namespace shell
