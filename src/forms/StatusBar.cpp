#include "forms/StatusBar.h"

#include <algorithm>

#include "forms/Desktop.h"

namespace forms {

namespace {
// Room above the parts and between two parts, in pixels.
constexpr int kTopBorder = 2;
constexpr int kGap = 2;
const std::string kNoText;
}  // namespace

StatusBarControl::StatusBarControl() {
  setBorderStyle(0);
  setScaleMode(vbPixels);
  Paint = [this] { RepaintAll(); };
}

void StatusBarControl::SetParts(const std::vector<int>& rights) {
  parts_.resize(rights.size());
  for (size_t i = 0; i < rights.size(); ++i) parts_[i].right = rights[i];
  RepaintAll();
}

bool StatusBarControl::GetRect(int part, Rect& rect) const {
  rect = {};
  if (part < 0 || part >= PartCount()) return false;
  auto rightOf = [&](int i) { return parts_[i].right < 0 ? clientWidthPx() : parts_[i].right; };
  rect.left = part == 0 ? 0 : rightOf(part - 1) + kGap;
  rect.top = kTopBorder;
  rect.right = std::max(rect.left, rightOf(part));
  rect.bottom = clientHeightPx();
  return true;
}

bool StatusBarControl::SetText(int partAndType, const std::string& text) {
  const int part = partAndType & 0xFF;
  if (part >= PartCount()) return false;
  parts_[part].text = text;
  parts_[part].ownerDrawn = (partAndType & SBT_OWNERDRAW) != 0;
  repaintPart(part);
  UpdateWindow();
  return true;
}

const std::string& StatusBarControl::Text(int part) const {
  return part >= 0 && part < PartCount() ? parts_[part].text : kNoText;
}

bool StatusBarControl::OwnerDrawn(int part) const { return part >= 0 && part < PartCount() && parts_[part].ownerDrawn; }

void StatusBarControl::InvalidateRect(const Rect& rect) {
  for (int i = 0; i < PartCount(); ++i) {
    Rect r;
    GetRect(i, r);
    if (r.left < rect.right && rect.left < r.right && r.top < rect.bottom && rect.top < r.bottom) repaintPart(i);
  }
  UpdateWindow();
}

void StatusBarControl::RepaintAll() {
  image().fill(resolveColor(vbButtonFace));
  for (int i = 0; i < PartCount(); ++i) repaintPart(i);
  UpdateWindow();
}

void StatusBarControl::moved(bool resized) {
  PictureBox::moved(resized);
  if (resized) RepaintAll();
}

void StatusBarControl::repaintPart(int part) {
  Rect r;
  GetRect(part, r);
  if (r.right <= r.left || r.bottom <= r.top) return;
  forms::Image& img = image();
  img.fillBox(r.left, r.top, r.right - 1, r.bottom - 1, resolveColor(vbButtonFace));
  // Sunken frame: shaded top and left edges, lit bottom and right ones.
  const Color shadow = resolveColor(vbButtonShadow), light = resolveColor(vb3DHighlight);
  img.fillBox(r.left, r.top, r.right - 1, r.top, shadow);
  img.fillBox(r.left, r.top, r.left, r.bottom - 1, shadow);
  img.fillBox(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, light);
  img.fillBox(r.right - 1, r.top, r.right - 1, r.bottom - 1, light);
  const Part& p = parts_[part];
  if (p.ownerDrawn || p.text.empty()) return;
  // The text, clipped to the inside of the frame.
  const int w = r.right - r.left - 4, h = r.bottom - r.top - 2;
  if (w <= 0 || h <= 0) return;
  forms::Image inside(w, h);
  bitBlt(inside, 0, 0, w, h, img, r.left + 2, r.top + 1, Rop::SRCCOPY);
  fontEngine().drawText(inside, 2, (h - fontEngine().textHeight(font())) / 2, font(), p.text,
                        resolveColor(vbButtonText));
  bitBlt(img, r.left + 2, r.top + 1, w, h, inside, 0, 0, Rop::SRCCOPY);
}

}  // namespace forms
