#include "kit/Dialoghi.h"

#include "forms/Forms.h"
#include "kit/Applicazione.h"

namespace shell {

using namespace forms;

void ApriDialogo(Form& Dialogo) {
  app().frame().Hide();
  Dialogo.Show();
}

void DialogoNonModale(Form& Dialogo, CommandButton* Chiudi) {
  Dialogo.QueryUnload = [proprio = Dialogo.QueryUnload, Chiudi](int& Cancel, int UnloadMode) {
    if (proprio) proprio(Cancel, UnloadMode);
    // The button's own unload returns at once: this one is under way.
    if (!Cancel && UnloadMode == vbFormControlMenu && Chiudi && Chiudi->Click) Chiudi->Click();
  };
  Dialogo.Unload = [proprio = Dialogo.Unload](int& Cancel) {
    if (proprio) proprio(Cancel);
    if (!Cancel && !app().ended()) app().frame().Show();
  };
}

}  // namespace shell
