#pragma once
// The small borderless window that shows the toolbar's tooltips. Everything
// happens in its label's Change: a non-blank caption sizes the window to the
// text at the position the caller set, keeps it on the screen and shows it
// without taking the focus; an empty or blank caption hides and unloads it.
// Used through its default instance: forms::app().form<frmToolTip>().
#include "forms/Controls.h"
#include "forms/Form.h"

namespace widgets {

class frmToolTip : public forms::Form {
 public:
  frmToolTip();

  forms::Label lblToolTip;

 private:
  void lblToolTip_Change();
  // ShowWindow with SW_SHOWNA: visible, while the active window and the
  // focus stay where they are.
  void showWithoutActivating();
};

}  // namespace widgets
