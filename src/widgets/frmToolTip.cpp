#include "widgets/frmToolTip.h"

#include "forms/Application.h"

namespace widgets {

using forms::TwipsPerPixel;

frmToolTip::frmToolTip() {
  setBorderStyle(0);
  setBackColor(forms::RGB(255, 255, 225));
  setForeColor(forms::RGB(0, 0, 0));
  lblToolTip.create(*this, 15, 15, 0, 0);
  lblToolTip.setBackStyle(0);
  lblToolTip.setForeColor(forms::RGB(0, 0, 0));
  lblToolTip.setAutoSize(true);
  lblToolTip.Change = [this] { lblToolTip_Change(); };
}

void frmToolTip::lblToolTip_Change() {
  const std::string& caption = lblToolTip.Caption();
  if (caption.find_first_not_of(' ') == std::string::npos) {
    Hide();
    forms::app().unload(*this);
    return;
  }
  lblToolTip.Move(15, 15);
  // One pixel of room left of and above the text, three right and below.
  const int width = lblToolTip.Width() + lblToolTip.Left() + 45;
  const int height = lblToolTip.Height() + lblToolTip.Top() + 45;
  int left = Left(), top = Top();
  const int screenWidth = forms::desktop().screenWidth(), screenHeight = forms::desktop().screenHeight();
  if (left + width > screenWidth) left = screenWidth - width;
  if (top + height > screenHeight) top = screenHeight - height;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  Move(left, top, width, height);
  showWithoutActivating();
  // A one-pixel frame along the four inner edges, on a freshly erased window.
  Cls();
  Line(0, 0, ScaleWidth() - TwipsPerPixel, ScaleHeight() - TwipsPerPixel, ForeColor(), forms::LineKind::Box);
}

void frmToolTip::showWithoutActivating() {
  if (visible_) return;
  visible_ = true;
  notify(forms::What::Visible);
}

}  // namespace widgets
