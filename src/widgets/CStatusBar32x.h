#pragma once
// The two-pane status bar of the main frame window: a common-controls status
// bar put into a host picture box, whose owner-drawn panes the class paints
// itself, each with a small icon at its left end over one line of text.
//
//   bar.setParent(StatBar);
//   bar.Create();
//   bar.SetIcon(0, 1);
//   std::string text = "          Quotara";
//   bar.DrawTextPic(0, text, 0);
#include <memory>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/StatusBar.h"

namespace widgets {

// Pixels of this colour in a program icon let the pane show through.
constexpr forms::Color kIconTransparent = forms::RGB(255, 0, 255);

// The small icons that the program carries, in resource order: what SetIcon
// picks by position (0 the default icon, 1 the application icon, 2 the small
// window with the hourglass). The start-up registers them once.
void setProgramIcons(std::vector<forms::Image> icons);

class CStatusBar32x {
 public:
  // Pane 0 ends at this x; pane 1 runs from there to the bar's right end.
  static constexpr int kFirstPaneRight = 200;
  static constexpr int kHeight = 25;  // pixels

  CStatusBar32x() = default;
  CStatusBar32x(const CStatusBar32x&) = delete;
  CStatusBar32x& operator=(const CStatusBar32x&) = delete;

  // The host control; set it before Create and Resize. It must outlive the bar.
  forms::PictureBox* Parent() const { return mParent; }
  void setParent(forms::PictureBox& parent) { mParent = &parent; }

  // Puts the status bar at the top left of the parent, 25 pixels high and as
  // many pixels wide as the parent's Width property holds (twips), so that
  // the parent clips it at its right edge at any width; two owner-drawn panes.
  void Create();
  // Gives pane 0 to 2 the program icon at position IconNum (no icon when
  // there is none there); another pane number is ignored.
  void SetIcon(int Pane, int IconNum);
  // Paints the pane now: button-face fill, the text vertically centred from
  // the pane's left edge (shortened with "..." when too long; strText then
  // receives the shortened text), the pane's icon over the start of the text.
  // A pane the bar does not have draws nothing. IconNum is not used: the
  // icon is the one stored for the pane.
  void DrawTextPic(int Pane, std::string& strText, int IconNum);
  // The bar repaints the pane's frame and background: the painted contents go.
  void UpdateStatBar(int Pane);
  // The bar draws the pane's text itself from now on (sunken, not owner-drawn).
  void SetStatBarText(int PaneNumber, const std::string& StringToAdd);
  // Places the bar as at the bottom of a whole window measured in twips.
  void Resize();
  void DestroyStatBar();
  // The status-bar control, nullptr before Create and after DestroyStatBar.
  forms::StatusBarControl* GetStatBarHwnd() const { return mBar.get(); }

 private:
  std::vector<forms::Image> mIcons = std::vector<forms::Image>(3);  // empty: no icon
  std::unique_ptr<forms::StatusBarControl> mBar;
  forms::PictureBox* mParent = nullptr;
};

}  // namespace widgets
