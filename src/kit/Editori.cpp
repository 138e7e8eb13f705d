#include "kit/Editori.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "forms/Application.h"
#include "forms/Text.h"
#include "kit/Applicazione.h"
#include "kit/Convenzioni.h"
#include "shell/Numeri.h"

namespace shell {
namespace {

using forms::text::toU32;
using forms::text::toUtf8;

// The character at position k, counted from 1; 0 outside the text.
char32_t at(const std::u32string& t, int k) { return k >= 1 && k <= static_cast<int>(t.size()) ? t[k - 1] : 0; }

void put(std::u32string& t, int k, char32_t c) {
  if (k >= 1 && k <= static_cast<int>(t.size())) t[k - 1] = c;
}

int length(const std::u32string& t) { return static_cast<int>(t.size()); }

void setText(forms::TextBox& box, const std::u32string& t) { box.setText(toUtf8(t)); }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// The digits after the comma of an amount text.
int decimalDigits(const std::u32string& t) {
  const size_t comma = t.find(U',');
  if (comma == std::u32string::npos) return 0;
  int n = 0;
  for (size_t i = comma + 1; i < t.size(); ++i) n += isDigit(static_cast<int>(t[i]));
  return n;
}

// The digits from position k to the end.
int digitsFrom(const std::u32string& t, int k) {
  int n = 0;
  for (int i = std::max(k, 1); i <= length(t); ++i) n += isDigit(static_cast<int>(at(t, i)));
  return n;
}

// The caret that leaves the last `n` digits of the text after it.
int caretBeforeLast(const std::u32string& t, int n) {
  int p = length(t);
  for (int found = 0; p > 0 && found < n; --p) found += isDigit(static_cast<int>(t[p - 1]));
  return p;
}

// A date box always holds the mask's length: a shorter text is completed
// with the mask's characters, a longer one cut.
std::u32string dateText(const forms::TextBox& box, const std::u32string& mask) {
  std::u32string t = toU32(box.Text());
  if (t.size() < mask.size()) t += mask.substr(t.size());
  t.resize(mask.size());
  return t;
}

// From position p to the end, the mask's characters.
void restoreMask(std::u32string& t, const std::u32string& mask, int p) {
  if (p >= 1 && p <= length(t)) t.replace(p - 1, std::u32string::npos, mask.substr(p - 1));
}

// What the combo auto-completion left in a combo box: its text and the
// length of the typed prefix before the highlighted part. It tells a
// character typed at the end from a deletion of the highlighted part.
struct StatoCompletamento : forms::ControlState {
  std::string Testo;
  int Prefisso = 0;
};

// The text an amount box held when the amount editor last left it with a
// comma that came from a typed ".": while the box still holds that text, the
// comma may yet turn out to be a thousands separator (empty: no such comma).
struct VirgolaProvvisoria : forms::ControlState {
  std::string Testo;
};

// Whether the change that ComboAutoCompleta is looking at is one character
// typed at the end of the text (blanks after the caret count as the end):
// `before` is what the combo held after the previous change and where the
// typed prefix ended then. A deletion leaves a prefix of that text; a
// character typed over the highlighted completion makes the prefix one longer.
bool typedAtEnd(const std::u32string& t, int caret, int selLength, const StatoCompletamento& before) {
  if (selLength != 0 || caret < 1) return false;
  for (int k = caret; k < length(t); ++k)
    if (t[k] != U' ') return false;
  const std::u32string typed = t.substr(0, caret);
  const std::u32string prev = toU32(before.Testo);
  const int kept = before.Prefisso;
  if (caret == kept + 1 && length(prev) >= kept && typed.compare(0, kept, prev, 0, kept) == 0) return true;
  const bool prefixOfPrev = length(prev) >= caret && prev.compare(0, caret, typed) == 0;
  return !prefixOfPrev && caret <= length(prev) + 1 && typed.compare(0, caret - 1, prev, 0, caret - 1) == 0;
}

constexpr int kSelezionaTutto = 1;  // Ctrl+A

// Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z pass to the box's own editing: a paste
// comes back here one character at a time, a cut through Delete.
bool TastoAppunti(int k) { return k == 3 || k == 22 || k == 24 || k == 26; }

// Ctrl+A: the whole text selected, the key swallowed.
void SelezionaTesto(forms::TextBox& Casella, int& KeyAscii) {
  KeyAscii = 0;
  SelezionaTutto(Casella);
}

}  // namespace

double ValoreImporto(std::string_view Testo) {
  std::string s;
  for (char c : Testo) {
    if (c == '.' || c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    s += c == ',' ? '.' : c;
  }
  size_t i = 0;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool point = false, digits = false;
  for (; i < s.size(); ++i) {
    if (isDigit(s[i])) {
      digits = true;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    number += s[i];
  }
  if (!digits) return 0;
  const double v = std::strtod(number.c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

std::string FormattaImporto(std::string_view Testo) { return Formatta(ValoreImporto(Testo), "##,###,##0"); }

void ImportoKeyDown(forms::TextBox& Casella, int& KeyCode) {
  const std::u32string t = toU32(Casella.Text());
  const int c = Casella.SelStart();
  switch (KeyCode) {
    case forms::vbKeyLeft:
      if (c > 0 && at(t, c) == U'.') Casella.setSelStart(c - 1);
      break;
    case forms::vbKeyRight:
      if (at(t, c + 2) == U'.') Casella.setSelStart(c + 1);
      break;
    case forms::vbKeyUp:
    case forms::vbKeyDown:
      KeyCode = 0;
      break;
    case forms::vbKeyDelete: {
      KeyCode = 0;
      if (Casella.SelLength() == length(t)) {
        Casella.setText("0");
        break;
      }
      if (Casella.SelLength() > 0) {
        // The selected characters go (a cut), the rest is grouped again and
        // keeps its decimal part; the caret stays before the same digits.
        std::u32string rest = t;
        rest.erase(c, Casella.SelLength());
        const int after = digitsFrom(rest, c + 1);
        const size_t comma = rest.find(U',');
        std::u32string formatted = toU32(FormattaImporto(toUtf8(rest.substr(0, comma))));
        if (comma != std::u32string::npos) formatted += rest.substr(comma);
        setText(Casella, formatted);
        Casella.setSelStart(caretBeforeLast(formatted, after));
        break;
      }
      const int p = std::min(c + 1, length(t));
      std::u32string blanked = t;
      put(blanked, p, U' ');
      const std::u32string formatted = toU32(FormattaImporto(toUtf8(blanked)));
      const int d = length(t) - length(formatted) - 1;
      int caret = p - 1 >= d ? p - 1 - d : p - 1;
      if (at(formatted, caret + 1) == U'.') ++caret;
      setText(Casella, formatted);
      Casella.setSelStart(caret);
      break;
    }
    default:
      break;
  }
}

void ImportoKeyPress(forms::TextBox& Casella, int& KeyAscii, bool Decimali) {
  std::u32string t = toU32(Casella.Text());
  const bool hasComma = t.find(U',') != std::u32string::npos;
  int c = Casella.SelStart();

  if (KeyAscii == kSelezionaTutto) return SelezionaTesto(Casella, KeyAscii);
  if (TastoAppunti(KeyAscii)) return;
  // A comma that came from a typed "." is tentative while the box still
  // holds what the editor left; every key below decides afresh.
  std::string& virgola = Casella.editorState<VirgolaProvvisoria>().Testo;
  const bool provvisoria = hasComma && virgola == Casella.Text();
  virgola.clear();
  const auto restaProvvisoria = [&] {
    if (Casella.Text().find(',') != std::string::npos) virgola = Casella.Text();
  };
  const auto rifiuta = [&] {
    RifiutaTasto(Casella, KeyAscii);
    if (provvisoria) restaProvvisoria();
  };

  if (KeyAscii == forms::vbKeyBack) {
    KeyAscii = 0;
    if (c < 1) return rifiuta();
    if (c != length(t)) {
      if (at(t, c) == U'.') --c;
      put(t, c, U'0');
    } else {
      put(t, c, U' ');
    }
    setText(Casella, toU32(FormattaImporto(toUtf8(t))));
    Casella.setSelStart(c - 1);
    return;
  }

  if (isDigit(KeyAscii)) {
    const char32_t digit = static_cast<char32_t>(KeyAscii);
    KeyAscii = 0;
    if (hasComma && (Decimali || provvisoria)) {
      // Typed at the caret, over the selection, as the box itself would.
      std::u32string typed = t;
      typed.replace(c, Casella.SelLength(), 1, digit);
      if (Casella.MaxLength() > 0 && length(typed) > Casella.MaxLength()) {
        if (provvisoria) restaProvvisoria();
        return;
      }
      if (decimalDigits(typed) <= 2) {
        setText(Casella, typed);
        Casella.setSelStart(c + 1);
        if (provvisoria) restaProvvisoria();
        return;
      }
      if (!provvisoria) return RifiutaTasto(Casella, KeyAscii);
      // A third digit after a typed ".": it was a thousands separator, and
      // the amount is the whole number typed so far.
      const int after = digitsFrom(typed, c + 2);
      typed[typed.find(U',')] = U'.';
      const std::u32string whole = toU32(FormattaImporto(toUtf8(typed)));
      setText(Casella, whole);
      Casella.setSelStart(caretBeforeLast(whole, after));
      return;
    }
    int p = c + 1;
    // A separator is never overwritten: the digit goes to the digit after it.
    if (at(t, p) == U'.') ++p;
    if (p <= length(t)) {
      put(t, p, digit);
      if (at(t, p + 1) == U'.') ++p;
      setText(Casella, t);
      Casella.setSelStart(p);
    } else if (p <= Casella.MaxLength()) {
      Casella.setText(FormattaImporto(toUtf8(t + digit)));
      Casella.setSelStart(forms::text::length(Casella.Text()));
    }
    // Leading zeros vanish; a lone 0 stays where it is, with the caret after it.
    if (digit == U'0' && !Casella.Text().empty() && Casella.Text()[0] == '0') {
      const std::string formatted = FormattaImporto(Casella.Text());
      if (formatted != Casella.Text()) Casella.setText(formatted);
    }
    return;
  }

  if (KeyAscii == '.') {
    if (hasComma) return rifiuta();
    // The decimal comma of the numeric keypad, or a thousands separator:
    // the digits typed after it tell.
    KeyAscii = 0;
    std::u32string typed = t;
    typed.replace(c, Casella.SelLength(), 1, U',');
    if (Casella.MaxLength() > 0 && length(typed) > Casella.MaxLength()) return;
    setText(Casella, typed);
    Casella.setSelStart(c + 1);
    virgola = Casella.Text();
    return;
  }
  if (KeyAscii == ',' && !hasComma && Decimali) return;
  rifiuta();
}

void ComboAutoCompleta(forms::ComboBox& Casella) {
  Applicazione& a = app();
  if (a.LunghezzaPrefisso != 0) {  // the change made below by cutting the text
    Casella.setSelStart(a.LunghezzaPrefisso);
    return;
  }
  const std::u32string t = toU32(Casella.Text());
  const int n = Casella.SelStart();
  StatoCompletamento& state = Casella.editorState<StatoCompletamento>();
  const StatoCompletamento before = state;
  state.Testo = Casella.Text();
  state.Prefisso = n;
  if (!typedAtEnd(t, n, Casella.SelLength(), before)) return;

  const std::string prefix = toUtf8(t.substr(0, n));
  const int found = Casella.FindString(prefix);
  Casella.setListIndex(found);
  if (found < 0) {
    a.LunghezzaPrefisso = n;
    Casella.setText(prefix);
    a.LunghezzaPrefisso = 0;
  }
  Casella.setSelStart(n);
  Casella.setSelLength(forms::text::length(Casella.Text()) - n);
  state.Testo = Casella.Text();
  state.Prefisso = n;
}

void DataKeyDown(forms::TextBox& Casella, int& KeyCode, std::string_view Maschera) {
  if (KeyCode == forms::vbKeyUp || KeyCode == forms::vbKeyDown) {
    KeyCode = 0;
    return;
  }
  if (KeyCode < forms::vbKeyLeft || KeyCode > forms::vbKeyDelete) return;
  const std::u32string mask = toU32(Maschera);
  const int L = length(mask);
  const int c = Casella.SelStart();

  if (KeyCode == forms::vbKeyLeft || KeyCode == forms::vbKeyRight) {
    const std::u32string t = toU32(Casella.Text());
    const int s = KeyCode == forms::vbKeyLeft ? -1 : 1;
    const int m = c + s;
    if (m >= L || m < 1) return;
    KeyCode = 0;
    if (at(t, m) == U' ') {
      int filled = 0;
      while (filled < length(t) && (isDigit(static_cast<int>(t[filled])) || t[filled] == U'/')) ++filled;
      Casella.setSelStart(filled);
    } else {
      Casella.setSelStart(at(t, m + 1) == U'/' ? m + s : m);
    }
    return;
  }

  if (KeyCode == forms::vbKeyDelete) {
    KeyCode = 0;
    if (Casella.SelLength() == L) {
      Casella.setText(std::string(Maschera));
      return;
    }
    const int p = c + 1;
    if (p > L) return;
    std::u32string t = dateText(Casella, mask);
    if (Casella.SelLength() > 0) {
      restoreMask(t, mask, p);
    } else if (at(t, p) != U'/') {  // the separators stay where they are
      put(t, p, U'0');
    }
    setText(Casella, t);
    Casella.setSelStart(p - 1);
  }
}

void DataKeyPress(forms::TextBox& Casella, int& KeyAscii, std::string_view Maschera) {
  const std::u32string mask = toU32(Maschera);
  const int L = length(mask);
  int c = Casella.SelStart();

  if (KeyAscii == kSelezionaTutto) return SelezionaTesto(Casella, KeyAscii);
  if (TastoAppunti(KeyAscii)) return;
  if (KeyAscii == forms::vbKeyBack) {
    KeyAscii = 0;
    // Everything selected (the caret then stands at 0) gives the empty mask.
    if (Casella.SelLength() > 0 && Casella.SelLength() == forms::text::length(Casella.Text())) {
      Casella.setText(std::string(Maschera));
      return;
    }
    std::u32string t = dateText(Casella, mask);
    if (at(t, c) == U'/') --c;
    if (c < 1) return;
    put(t, c, U'0');
    setText(Casella, t);
    Casella.setSelStart(c - 1);
    return;
  }

  if (isDigit(KeyAscii)) {
    const char32_t digit = static_cast<char32_t>(KeyAscii);
    KeyAscii = 0;
    int p = std::min(c + 1, L);
    std::u32string t = dateText(Casella, mask);
    if (Casella.SelLength() > 0) restoreMask(t, mask, p);
    // A separator is never overwritten: the digit goes to the place after it.
    if (at(t, p) == U'/' && p < L) ++p;
    if (at(t, p) == U'/') return;
    put(t, p, digit);
    setText(Casella, t);
    if (at(t, p + 1) == U'/') ++p;
    Casella.setSelStart(p);
    return;
  }

  RifiutaTasto(Casella, KeyAscii);
}

}  // namespace shell
