#pragma once
// The common controls' status bar ("msctls_statusbar32"): a row of parts,
// each in a sunken frame on the button face, with a text the bar draws
// itself or, for an owner-drawn part, only frame and background: the owner
// paints the contents onto Image() itself (as on the bar's window device
// context) and they stay until the bar repaints the part.
//
// The bar is a picture box without border, so the front end shows it like
// one; it repaints itself when it is resized, when InvalidateRect is called
// and when the screen asks for a repaint (input::paint, Refresh): what an
// owner painted is gone then until the owner paints again.
#include <string>
#include <vector>

#include "forms/Controls.h"

namespace forms {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

class StatusBarControl : public PictureBox {
 public:
  // Drawing types of SetText, in the high byte with the part in the low one.
  static constexpr int SBT_OWNERDRAW = 0x1000;

  StatusBarControl();

  // SB_SETPARTS: the right edge of each part in pixels; -1 runs to the bar's
  // right end. Repaints.
  void SetParts(const std::vector<int>& rights);
  int PartCount() const { return static_cast<int>(parts_.size()); }
  // SB_GETRECT, in pixels of the bar: false and an empty rectangle for a
  // part the bar does not have. right and bottom are exclusive.
  bool GetRect(int part, Rect& rect) const;
  // SB_SETTEXT: the low byte of `partAndType` is the part, the rest the
  // drawing type (0: sunken, the bar draws the text; SBT_OWNERDRAW). Repaints
  // the part; false for a part the bar does not have.
  bool SetText(int partAndType, const std::string& text);
  const std::string& Text(int part) const;
  bool OwnerDrawn(int part) const;
  // InvalidateRect with erasing: repaints every part that meets `rect`.
  void InvalidateRect(const Rect& rect);
  // Frames, backgrounds and own texts of every part.
  void RepaintAll();
  // UpdateWindow: shows what was painted on Image() now. (Refresh would
  // raise Paint and so repaint the parts over the owner's drawing.)
  void UpdateWindow() { canvasChanged(); }

 protected:
  void moved(bool resized) override;

 private:
  struct Part {
    int right = 0;
    std::string text;
    bool ownerDrawn = false;
  };
  void repaintPart(int part);

  std::vector<Part> parts_;
};

}  // namespace forms
