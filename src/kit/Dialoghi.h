#pragma once
// Dialogs opened without blocking while the frame is hidden. The dialog's
// constructor makes the call once, after its own handlers:
//
//   shell::DialogoNonModale(*this, cmdAnnulla);
//
// and the window that opens it:
//
//   shell::ApriDialogo(app().form<frmAcconto>());
//
// However the dialog closes (a button unloading it, the close box, the
// program unloading it) the frame shows again; the close box first does what
// the dialog's close button does.
namespace forms {
class Form;
class CommandButton;
}  // namespace forms

namespace shell {

// Hides the frame and shows `Dialogo`.
void ApriDialogo(forms::Form& Dialogo);

// Makes `Dialogo` bring the frame back when it unloads; the close box runs
// `Chiudi`'s Click (when given) as the unload goes on.
void DialogoNonModale(forms::Form& Dialogo, forms::CommandButton* Chiudi = nullptr);
inline void DialogoNonModale(forms::Form& Dialogo, forms::CommandButton& Chiudi) { DialogoNonModale(Dialogo, &Chiudi); }

}  // namespace shell
