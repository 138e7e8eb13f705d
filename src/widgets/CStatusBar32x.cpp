#include "widgets/CStatusBar32x.h"

#include <algorithm>
#include <cmath>

#include "forms/Application.h"

namespace widgets {

namespace {

using forms::TwipsPerPixel;

std::vector<forms::Image>& programIcons() {
  static std::vector<forms::Image> icons;
  return icons;
}

// "MS Sans Serif", 12 pixels high (9 points on a 96-dpi screen), not bold.
forms::Font paneFont() { return forms::Font{.name = "MS Sans Serif", .size = 9}; }

constexpr int COLOR_BTNFACE = 15;

}  // namespace

void setProgramIcons(std::vector<forms::Image> icons) { programIcons() = std::move(icons); }

void CStatusBar32x::Create() {
  if (!mParent) return;
  mBar = std::make_unique<forms::StatusBarControl>();
  mBar->create(*mParent, 0, 0, mParent->Width() * TwipsPerPixel, kHeight * TwipsPerPixel);
  mBar->SetParts({kFirstPaneRight, -1});
  mBar->SetText(0 | forms::StatusBarControl::SBT_OWNERDRAW, "");
  mBar->SetText(1 | forms::StatusBarControl::SBT_OWNERDRAW, "");
  mBar->setVisible(true);
}

void CStatusBar32x::SetIcon(int Pane, int IconNum) {
  if (Pane < 0 || Pane > 2) return;
  const std::vector<forms::Image>& icons = programIcons();
  mIcons[Pane] = IconNum >= 0 && IconNum < static_cast<int>(icons.size()) ? icons[IconNum] : forms::Image();
}

void CStatusBar32x::DrawTextPic(int Pane, std::string& strText, int) {
  if (!mBar) return;
  forms::Rect r;
  mBar->GetRect(Pane, r);
  if (r.right - r.left <= 0) return;
  forms::Image& dc = mBar->image();
  dc.fillBox(r.left + 2, r.top + 2, r.right - 3, r.bottom - 3, forms::desktop().sysColor(COLOR_BTNFACE));

  // One line, centred vertically, from the pane's left edge to 2 pixels short
  // of its right one; drawn transparent over the fill.
  const forms::Font font = paneFont();
  const forms::FontEngine& engine = forms::fontEngine();
  strText = engine.elide(font, strText, r.right - 2 - r.left);
  engine.drawText(dc, r.left, r.top + (r.bottom - r.top - engine.textHeight(font)) / 2, font, strText,
                  forms::RGB(0, 0, 0));

  // The icon over the start of the text, at y = 4 whatever the pane's height.
  if (Pane <= 2) {
    const forms::Image& icon = mIcons[Pane];
    forms::blitTransparent(dc, r.left + 3, 4, icon.width(), icon.height(), icon, 0, 0, kIconTransparent);
  }
  mBar->UpdateWindow();
}

void CStatusBar32x::UpdateStatBar(int Pane) {
  if (!mBar) return;
  forms::Rect r;
  mBar->GetRect(Pane, r);
  mBar->InvalidateRect(r);
}

void CStatusBar32x::SetStatBarText(int PaneNumber, const std::string& StringToAdd) {
  if (!mBar) return;
  mBar->SetText(PaneNumber, StringToAdd);
  mBar->UpdateWindow();
}

void CStatusBar32x::Resize() {
  if (!mBar || !mParent) return;
  const int y = static_cast<int>(std::nearbyint(mParent->Height() / double(TwipsPerPixel))) - 72;
  const int width = static_cast<int>(std::nearbyint(mParent->Width() / double(TwipsPerPixel))) - 10;
  mBar->Move(1 * TwipsPerPixel, y * TwipsPerPixel, std::max(width, 0) * TwipsPerPixel, kHeight * TwipsPerPixel);
  mBar->RepaintAll();
}

void CStatusBar32x::DestroyStatBar() { mBar.reset(); }

}  // namespace widgets
