#include "widgets/clsCoolbar.h"

#include <cmath>

#include "forms/Application.h"
#include "widgets/frmToolTip.h"

namespace widgets {

namespace {

using forms::Color;
using forms::LineKind;
using forms::TwipsPerPixel;

constexpr Color kWhite = forms::RGB(255, 255, 255);
constexpr Color kDarkGrey = forms::RGB(128, 128, 128);
constexpr Color kLightGrey = forms::RGB(192, 192, 192);
constexpr Color kBlack = forms::RGB(0, 0, 0);

// System colour indexes of the 3D look.
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;

// Integer division results are rounded to the nearest, a half to even.
int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

std::string trim(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

clsCoolbar::clsCoolbar() = default;

// --- properties -----------------------------------------------------------------

void clsCoolbar::setUseSystemColours(bool bUseSystemColours) {
  mUseSystemColours = bUseSystemColours;
  if (!mCreated) return;
  MapSystemColours(*mPicBMP, *mPicScratch);
  Refresh();
}

void clsCoolbar::setShowHandle(bool bShowHandle) {
  mShowHandle = bShowHandle;
  LayoutButtons();
  Refresh();
}

void clsCoolbar::setShowText(bool fShow) {
  mShowText = fShow;
  LayoutButtons();
  Refresh();
}

void clsCoolbar::setSeparatorStyle(int iStyle) {
  mSeparatorStyle = iStyle == 0 || iStyle == 1 ? iStyle : 0;
  Refresh();
}

void clsCoolbar::EnableButton(int iButtonNo, bool bEnabled) {
  if (iButtonNo >= 1 && iButtonNo <= mButtonCount) mEnabled[iButtonNo] = bEnabled;
  Refresh();
}

void clsCoolbar::setBarStyle(int iStyle) {
  mBarStyle = iStyle >= 0 && iStyle <= 3 ? iStyle : 1;
  Refresh();
}

void clsCoolbar::setShowToolTips(bool fShowTips) {
  mShowToolTips = fShowTips;
  if (!fShowTips) HideToolTip();
}

void clsCoolbar::RaisedOffset(int iXOffset, int iYOffset) {
  mRaisedX = iXOffset;
  mRaisedY = iYOffset;
}

void clsCoolbar::LoweredOffset(int iXOffset, int iYOffset) {
  mLoweredX = iXOffset;
  mLoweredY = iYOffset;
}

void clsCoolbar::SetBitmapSize(int iWidth, int iHeight) {
  // A caption keeps its room under a taller bitmap; the small buttons keep
  // the margin they had around the cell.
  mBigHeight += iHeight - mBitmapHeight;
  mSmallWidth += iWidth - mBitmapWidth;
  mSmallHeight += iHeight - mBitmapHeight;
  if (mBigWidth <= mSmallWidth) mBigWidth = mSmallWidth;
  mBitmapWidth = iWidth;
  mBitmapHeight = iHeight;
}

void clsCoolbar::SetBigButtonSize(int iWidth, int iHeight) {
  mBigWidth = iWidth;
  mBigHeight = iHeight;
}

void clsCoolbar::SetSmallButtonSize(int iWidth, int iHeight) {
  mSmallWidth = iWidth;
  mSmallHeight = iHeight;
}

int clsCoolbar::ButtonLeft(int i) const { return i >= 1 && i <= mButtonCount ? mButtonLeft[i] : 0; }

bool clsCoolbar::ButtonEnabled(int i) const { return i >= 1 && i <= mButtonCount && mEnabled[i]; }

// --- set-up ---------------------------------------------------------------------

void clsCoolbar::Create(forms::Form& Frm, forms::PictureBox& pic, forms::PictureBox& picMaster,
                        forms::PictureBox& picBMP, forms::PictureBox& picScratch, forms::TimerControl& tmr) {
  mFrm = &Frm;
  mPic = &pic;
  mPicMaster = &picMaster;
  mPicBMP = &picBMP;
  mPicScratch = &picScratch;
  mTmr = &tmr;
  setColours();

  mPic->setBorderStyle(0);
  mPic->setAutoRedraw(true);
  mPic->setFontBold(false);
  mPic->setScaleMode(forms::vbPixels);
  mPic->setForeColor(mTextColour);
  mPic->setBackColor(mFace);

  mPicMaster->setBorderStyle(0);
  mPicMaster->setScaleMode(forms::vbPixels);
  mPicMaster->setAutoRedraw(false);
  mPicMaster->setVisible(false);

  // The working strip and the scratch take the size of the master strip's
  // picture, so that no cell is cut off whatever size the host gave the box.
  const forms::Image& strip = mPicMaster->Picture();
  for (forms::PictureBox* box : {mPicBMP, mPicScratch}) {
    box->setBorderStyle(0);
    box->setScaleMode(forms::vbPixels);
    box->setAutoRedraw(true);
    box->setVisible(false);
    box->Move(box->Left(), box->Top(), strip.width() * TwipsPerPixel, strip.height() * TwipsPerPixel);
  }

  MapSystemColours(*mPicBMP, *mPicScratch);
  mTmr->setEnabled(false);
  mCreated = true;
  Refresh();
}

void clsCoolbar::setColours() {
  if (mUseSystemColours) {
    forms::Desktop& d = forms::desktop();
    mHighlight = d.sysColor(COLOR_BTNHIGHLIGHT);
    mShadow = d.sysColor(COLOR_BTNSHADOW);
    mFace = d.sysColor(COLOR_BTNFACE);
    mTextColour = d.sysColor(COLOR_BTNTEXT);
  } else {
    mHighlight = kWhite;
    mShadow = kDarkGrey;
    mFace = kLightGrey;
    mTextColour = kBlack;
  }
}

bool clsCoolbar::systemColoursChanged() const {
  forms::Desktop& d = forms::desktop();
  return d.sysColor(COLOR_BTNHIGHLIGHT) != mHighlight || d.sysColor(COLOR_BTNSHADOW) != mShadow ||
         d.sysColor(COLOR_BTNFACE) != mFace || d.sysColor(COLOR_BTNTEXT) != mTextColour;
}

void clsCoolbar::AddButton(const std::string& Caption, const std::string& ToolTip) {
  ++mButtonCount;
  mCaptions.push_back(Caption);
  mToolTips.push_back(ToolTip);
  mEnabled.push_back(true);
  mButtonLeft.push_back(0);
  if (mPic) {
    const int textWidth = roundEven(mPic->TextWidth(Caption));
    const int textHeight = roundEven(mPic->TextHeight(Caption));
    if (textWidth + 4 > mBigWidth) mBigWidth = textWidth + 4;
    const int height = mBitmapHeight + mBitmapTop + mTextGap + textHeight + 2;
    if (height > mBigHeight) mBigHeight = height;
  }
  LayoutButtons();
}

void clsCoolbar::AddBar(int iButtonToPrecede) {
  ++mBarCount;
  mBarBefore.push_back(iButtonToPrecede);
  LayoutButtons();
}

void clsCoolbar::LayoutButtons() {
  const int first = mLeftMargin + (mShowHandle ? mHandleWidth : 0);
  for (int i = 1; i <= mButtonCount; ++i) mButtonLeft[i] = first + (i - 1) * buttonWidth();
  for (int s = 1; s <= mBarCount; ++s)
    if (mBarBefore[s] >= 1)
      for (int i = mBarBefore[s]; i <= mButtonCount; ++i) mButtonLeft[i] += mBarWidth;
}

// --- drawing ----------------------------------------------------------------------

void clsCoolbar::Refresh() { DrawButtons(0, 0, 0); }

int clsCoolbar::DrawButtons(int MouseButton, float x, float y) {
  if (!mCreated) return 0;
  const int W = buttonWidth(), H = buttonHeight(), T = mTopMargin;

  if (mUseSystemColours && systemColoursChanged()) {
    // The desktop's scheme changed: rebuild the working strip first.
    MapSystemColours(*mPicBMP, *mPicScratch);
    Refresh();
  }
  if (mButtonCount == 0) return 0;

  // The bar is one pixel taller than the button band with its margins.
  mBarHeight = H + 2 * mTopMargin;
  if (mPic->Height() != (mBarHeight + 1) * TwipsPerPixel) mPic->setHeight((mBarHeight + 1) * TwipsPerPixel);

  int hit = 0;
  for (int i = 1; i <= mButtonCount; ++i) {
    const int L = mButtonLeft[i];
    if (L <= x && x <= L + W && T <= y && y <= T + H) hit = i;
  }
  if (x > mPic->ScaleWidth()) hit = 0;
  mToolTipText = mToolTips[hit];

  const bool fullRepaint = x == 0 && y == 0 && MouseButton == 0;
  if (!fullRepaint) {
    if (hit == mLastButton && MouseButton == mLastMouseButton) return 0;
    mLastButton = hit;
    mLastMouseButton = MouseButton;
  } else {
    drawBackground(mBarHeight);
  }

  for (int i = 1; i <= mButtonCount; ++i) drawButton(i, hit, MouseButton);
  drawSeparators();

  if (hit >= 1 && mEnabled[hit]) {
    const int L = mButtonLeft[hit], R = L + W, B = T + H;
    const bool pressed = MouseButton == forms::vbLeftButton;
    const Color outline = pressed ? mShadow : mHighlight;
    const Color lower = pressed ? mHighlight : mShadow;
    mPic->Line(L, T, R, B, outline, LineKind::Box);
    mPic->Line(L, B, R, B, lower, LineKind::Box);
    mPic->Line(R, T, R, B, lower, LineKind::Box);
  }
  mPic->Refresh();
  return hit >= 1 && mEnabled[hit] ? hit : 0;
}

void clsCoolbar::drawBackground(int HB) {
  forms::PictureBox& p = *mPic;
  p.setBackColor(mFace);
  const float SW = p.ScaleWidth(), SH = p.ScaleHeight();
  p.Line(0, 0, SW, SH, mFace, LineKind::BoxFill);
  auto edge = [&](int y, Color c) { p.Line(0, y, SW, y, c, LineKind::Box); };
  switch (mBarStyle) {
    case 1:
      edge(0, mShadow);
      edge(1, mHighlight);
      edge(HB - 2, mShadow);
      edge(HB - 1, mHighlight);
      break;
    case 2:
      edge(0, mHighlight);
      edge(HB - 1, mShadow);
      break;
    case 3:
      edge(0, mShadow);
      edge(HB - 1, mHighlight);
      break;
    default:
      break;
  }
  if (mShowHandle) {
    // Two raised grip strips, x = 3 to 5 and 6 to 8.
    const int T = mTopMargin, B = T + buttonHeight();
    p.Line(3, T, 3, B, mHighlight, LineKind::Box);
    p.Line(6, T, 6, B, mHighlight, LineKind::Box);
    p.Line(3, T, 8, T, mHighlight, LineKind::Box);
    p.Line(5, T, 5, B, mShadow, LineKind::Box);
    p.Line(8, T, 8, B, mShadow, LineKind::Box);
    p.Line(3, B, 8, B, mShadow, LineKind::Box);
  }
}

void clsCoolbar::drawButton(int i, int hit, int MouseButton) {
  forms::PictureBox& p = *mPic;
  const int W = buttonWidth(), H = buttonHeight();
  const int L = mButtonLeft[i], T = mTopMargin, R = L + W, B = T + H;
  const Color back = forms::resolveColor(p.BackColor());
  const bool enabled = mEnabled[i];
  const bool active = enabled && i == hit;
  const bool lowered = MouseButton == forms::vbLeftButton;
  const int shiftX = active ? (lowered ? mLoweredX : mRaisedX) : 0;
  const int shiftY = active ? (lowered ? mLoweredY : mRaisedY) : 0;

  p.Line(L, T, R, B, back, LineKind::Box);
  const int bx = L + roundEven((W - mBitmapWidth) / 2.0) + shiftX;
  const int by = T + mBitmapTop + shiftY;
  p.Line(L + 1, T + 1, R - 1, B - 1, back, LineKind::BoxFill);
  const int row = !enabled ? 2 : active ? 1 : 0;
  forms::bitBlt(p.image(), bx, by, mBitmapWidth, mBitmapHeight, mPicBMP->Image(), (i - 1) * mBitmapWidth,
                row * mBitmapHeight, forms::Rop::SRCCOPY);

  if (!mShowText) return;
  const std::string& caption = mCaptions[i];
  const int tx = L + roundEven((W - p.TextWidth(caption)) / 2.0) + shiftX;
  const int ty = by + mBitmapHeight + mTextGap;
  auto print = [&](int px, int py, Color c) {
    p.setForeColor(c);
    p.setCurrentX(px);
    p.setCurrentY(py);
    p.Print(caption);
  };
  if (enabled) {
    print(tx, ty, mTextColour);
  } else {
    // Engraved: a highlight copy under a shadow copy one pixel up and left.
    print(tx, ty, mHighlight);
    print(tx - 1, ty - 1, mShadow);
    p.setForeColor(mTextColour);
  }
}

void clsCoolbar::drawSeparators() {
  forms::PictureBox& p = *mPic;
  const int T = mTopMargin, H = buttonHeight();
  const int SH = roundEven(p.ScaleHeight());
  for (int s = 1; s <= mBarCount; ++s) {
    const int b = mBarBefore[s];
    // A separator that names no button has nowhere to stand.
    if (b < 1 || b > mButtonCount) continue;
    const int sx = mButtonLeft[b] - roundEven(mBarWidth / 2.0) - 1;
    if (mSeparatorStyle == 0) {
      p.Line(sx, T, sx, T + H, mShadow, LineKind::Box);
      p.Line(sx + 1, T, sx + 1, T + H, mHighlight, LineKind::Box);
    } else {
      const int top = mBarStyle == 0 ? 0 : 1;
      const int bottom = mBarStyle == 0 ? SH - 1 : SH - 2;
      p.Line(sx, top, sx, bottom, mShadow);
      p.Line(sx + 1, top, sx + 1, bottom, mHighlight);
    }
  }
}

// --- events -------------------------------------------------------------------------

void clsCoolbar::TimerEvent() {
  if (mToolTipShown) return;
  ShowToolTip();
  if (mTmr) mTmr->setEnabled(false);
}

void clsCoolbar::ResizeEvent() { Refresh(); }

int clsCoolbar::MouseUpEvent(int, int, float x, float y) {
  MouseMoveEvent(0, 0, -1, -1);
  return DrawButtons(0, x, y);
}

int clsCoolbar::MouseDownEvent(int Button, int, float x, float y) {
  MouseMoveEvent(0, 0, -1, -1);
  return DrawButtons(Button, x, y);
}

void clsCoolbar::KeyDownEvent() { MouseMoveEvent(0, 0, -1, -1); }

void clsCoolbar::KeyUpEvent() { MouseMoveEvent(0, 0, -1, -1); }

int clsCoolbar::MouseMoveEvent(int Button, int, float x, float y) {
  if (mCreated && x == mLastX && y == mLastY) return 0;
  mLastX = x;
  mLastY = y;
  if (mCreated) {
    const bool onBar = x >= 0 && x <= mPic->ScaleWidth() && y >= 0 && y <= mPic->ScaleHeight();
    setCapture(onBar);
    mTmr->setEnabled(false);
    if (onBar && mShowToolTips) {
      // Enabling again restarts the count from this move.
      mTmr->setInterval(mToolTipDelay * 500);
      mTmr->setEnabled(true);
    }
  }
  const int result = DrawButtons(Button, x, y);
  if (mToolTipShown) HideToolTip();
  return result;
}

forms::Point clsCoolbar::PointerOnBar() const {
  const forms::Point pointer = forms::desktop().cursorPos();
  const forms::Form& f = *mFrm;
  // Border sizes of the host in pixels, from its outer and inner sizes.
  const double innerW = f.toPixels(f.ScaleWidth()), innerH = f.toPixels(f.ScaleHeight());
  const int side = roundEven((f.Width() / double(TwipsPerPixel) - innerW) / 2);
  const int head = roundEven(f.Height() / double(TwipsPerPixel) - innerH - side);
  // The bar sits at the top of the host's client area.
  return {roundEven(pointer.x - f.Left() / double(TwipsPerPixel) - side - mPic->Left() / double(TwipsPerPixel)),
          roundEven(pointer.y - f.Top() / double(TwipsPerPixel) - head)};
}

int clsCoolbar::ClickEvent() {
  if (!mCreated) return 0;
  const forms::Point at = PointerOnBar();
  return DrawButtons(forms::vbLeftButton, static_cast<float>(at.x), static_cast<float>(at.y));
}

void clsCoolbar::PointerEvent() {
  if (!mCreated) return;
  const forms::Point at = PointerOnBar();
  MouseMoveEvent(0, 0, static_cast<float>(at.x), static_cast<float>(at.y));
}

// --- tooltips ----------------------------------------------------------------------

void clsCoolbar::ShowToolTip() {
  const std::string text = trim(mToolTipText);
  if (text.empty()) return;
  mToolTipText = " " + text + " ";
  const forms::Point pointer = forms::desktop().cursorPos();
  frmToolTip& tip = forms::app().form<frmToolTip>();
  tip.Move((pointer.x + mToolTipOffsetX) * TwipsPerPixel, (pointer.y + mToolTipOffsetY) * TwipsPerPixel);
  tip.lblToolTip.setCaption(mToolTipText);
  mToolTipShown = true;
}

void clsCoolbar::HideToolTip() {
  if (!mToolTipShown) return;
  forms::app().form<frmToolTip>().lblToolTip.setCaption("");
  mToolTipShown = false;
}

void clsCoolbar::setCapture(bool on) {
  // Capture keeps the moves coming while the pointer is off the bar.
  if (on)
    forms::app().setCapture(mPic);
  else if (forms::app().capture() == mPic)
    forms::app().setCapture(nullptr);
}

// --- the working strip ----------------------------------------------------------------

void clsCoolbar::MapSystemColours(forms::PictureBox& picBMP, forms::PictureBox& picScratch) {
  setColours();
  picBMP.setPicture(mPicMaster->Picture());
  if (!mUseSystemColours) return;
  picScratch.setPicture(forms::Image());
  // Each pass turns one fixed colour of the strip into the current one: the
  // scratch is cleared to the new colour and the strip is laid over it with
  // the fixed colour transparent.
  const struct { Color current, fixed; } passes[] = {{mFace, kLightGrey}, {mShadow, kDarkGrey}, {mHighlight, kWhite}};
  for (const auto& pass : passes) {
    picScratch.setBackColor(pass.current);
    BlitTransparent(picScratch, picBMP, 0, 0, pass.fixed);
    picScratch.Refresh();
    picBMP.setPicture(picScratch.Image());
  }
}

void BlitTransparent(forms::PictureBox& destination, const forms::PictureBox& source, int x, int y, Color transparent) {
  using forms::Image;
  using forms::Rop;
  const Image& picture = source.Picture();
  const int w = picture.width(), h = picture.height();
  Image src = picture;  // the source context's own copy: the AND below works on it
  Image mask(w, h, 0, Image::Kind::Mono);
  Image inverse(w, h, 0, Image::Kind::Mono);
  Image merge(w, h);

  // Pixels of the transparent colour become 1 in the mask, all others 0.
  forms::BlitColours toMask;
  toMask.sourceBack = transparent;
  forms::bitBlt(mask, 0, 0, w, h, src, 0, 0, Rop::SRCCOPY, toMask);
  forms::bitBlt(inverse, 0, 0, w, h, mask, 0, 0, Rop::NOTSRCCOPY);

  // Mono to colour: 1 gives white, 0 black.
  forms::bitBlt(merge, 0, 0, w, h, destination.Image(), x, y, Rop::SRCCOPY);
  forms::bitBlt(merge, 0, 0, w, h, mask, 0, 0, Rop::SRCAND);
  forms::bitBlt(src, 0, 0, w, h, inverse, 0, 0, Rop::SRCAND);
  forms::bitBlt(merge, 0, 0, w, h, src, 0, 0, Rop::SRCPAINT);
  forms::bitBlt(destination.image(), x, y, w, h, merge, 0, 0, Rop::SRCCOPY);
}

}  // namespace widgets
