#pragma once
// The owner-drawn command bar of the main frame window: one row of flat
// buttons cut from a bitmap strip, each with an optional caption under it,
// drawn by the class itself in the classic 3D colours on a picture box. A
// button rises while the pointer is over it, sinks while the left mouse
// button holds it and looks engraved when disabled; its tooltip appears
// after the pointer has rested 500 ms on the bar.
//
// The class owns no window: the host passes its controls to Create and
// forwards their events (mouse, keys, resize, the timer's tick); the host
// learns the clicked button from MouseUpEvent's result (1-based, 0 none).
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/Desktop.h"
#include "forms/Form.h"

namespace widgets {

class clsCoolbar {
 public:
  clsCoolbar();
  clsCoolbar(const clsCoolbar&) = delete;
  clsCoolbar& operator=(const clsCoolbar&) = delete;

  std::string Version() const { return "1.0"; }

  // Write-only: maps the strip to the chosen colour set and repaints; set
  // it after Create.
  void setUseSystemColours(bool bUseSystemColours);
  bool ShowHandle() const { return mShowHandle; }
  void setShowHandle(bool bShowHandle);

  // The host's events.
  void TimerEvent();
  void ResizeEvent();
  int MouseUpEvent(int Button, int Shift, float x, float y);
  // Presses the button under the mouse pointer's screen position.
  int ClickEvent();
  // The bar drawn for where the mouse pointer is now: after a command whose
  // box has closed, the button it pressed loses its hover look when the
  // pointer has left it.
  void PointerEvent();
  void KeyDownEvent();
  void KeyUpEvent();
  int MouseMoveEvent(int Button, int Shift, float x, float y);
  int MouseDownEvent(int Button, int Shift, float x, float y);

  // Binds the bar to the host window, the picture box it draws on, the
  // master strip, the working strip, a scratch box and the tooltip timer.
  // The controls must outlive the bar's use of them.
  void Create(forms::Form& Frm, forms::PictureBox& pic, forms::PictureBox& picMaster, forms::PictureBox& picBMP,
              forms::PictureBox& picScratch, forms::TimerControl& tmr);
  // Full repaint.
  void Refresh();
  void AddButton(const std::string& Caption, const std::string& ToolTip);
  // A separator before button iButtonToPrecede (1-based).
  void AddBar(int iButtonToPrecede);

  bool ShowText() const { return mShowText; }
  void setShowText(bool fShow);
  // 0 short separators (button height), 1 full-height separators.
  int SeparatorStyle() const { return mSeparatorStyle; }
  void setSeparatorStyle(int iStyle);
  void EnableButton(int iButtonNo, bool bEnabled);
  // 0 flat, 1 etched, 2 raised, 3 sunken edges.
  int BarStyle() const { return mBarStyle; }
  void setBarStyle(int iStyle);
  bool ShowToolTips() const { return mShowToolTips; }
  void setShowToolTips(bool fShowTips);
  void RaisedOffset(int iXOffset, int iYOffset);
  void LoweredOffset(int iXOffset, int iYOffset);
  // Size of one cell of the strip; takes effect on the layout at the next
  // AddButton, AddBar, ShowText or ShowHandle.
  void SetBitmapSize(int iWidth, int iHeight);
  void SetBigButtonSize(int iWidth, int iHeight);
  void SetSmallButtonSize(int iWidth, int iHeight);

  // Read-only views for the host and for tests.
  int ButtonCount() const { return mButtonCount; }
  // Left x of button i (1-based), 0 outside 1..ButtonCount.
  int ButtonLeft(int i) const;
  bool ButtonEnabled(int i) const;
  int BarHeight() const { return mBarHeight; }
  forms::Color Highlight() const { return mHighlight; }
  forms::Color Shadow() const { return mShadow; }
  forms::Color Face() const { return mFace; }
  forms::Color TextColour() const { return mTextColour; }

 private:
  // The mouse pointer's screen position in the bar's pixels.
  forms::Point PointerOnBar() const;
  int buttonWidth() const { return mShowText ? mBigWidth : mSmallWidth; }
  int buttonHeight() const { return mShowText ? mBigHeight : mSmallHeight; }
  void setColours();
  bool systemColoursChanged() const;
  void LayoutButtons();
  int DrawButtons(int MouseButton, float x, float y);
  void drawBackground(int HB);
  void drawButton(int i, int hit, int MouseButton);
  void drawSeparators();
  void ShowToolTip();
  void HideToolTip();
  void MapSystemColours(forms::PictureBox& picBMP, forms::PictureBox& picScratch);
  void setCapture(bool on);

  forms::Form* mFrm = nullptr;
  forms::TimerControl* mTmr = nullptr;
  forms::PictureBox* mPic = nullptr;
  forms::PictureBox* mPicBMP = nullptr;
  forms::PictureBox* mPicMaster = nullptr;
  forms::PictureBox* mPicScratch = nullptr;
  bool mCreated = false;
  forms::Color mHighlight = 0;
  forms::Color mShadow = 0;
  forms::Color mFace = 0;
  forms::Color mTextColour = 0;
  bool mUseSystemColours = true;
  int mButtonCount = 0;
  bool mShowText = false;
  // Element 0 stands for "no button": empty texts, left 0, not enabled.
  std::vector<std::string> mCaptions{""};
  std::vector<std::string> mToolTips{""};
  std::vector<bool> mEnabled{false};
  std::vector<int> mButtonLeft{0};
  int mBarCount = 0;
  std::vector<int> mBarBefore{0};
  int mBarWidth = 6;
  int mSeparatorStyle = 0;
  int mLeftMargin = 6;
  int mTopMargin = 4;
  bool mShowHandle = true;
  int mHandleWidth = 6;
  int mBigWidth = 60, mBigHeight = 40;
  int mSmallWidth = 28, mSmallHeight = 28;
  int mBarHeight = 0;
  int mBarStyle = 1;
  int mRaisedX = 0, mRaisedY = 0;
  int mLoweredX = 1, mLoweredY = 1;
  int mBitmapWidth = 20, mBitmapHeight = 20;
  int mBitmapTop = 4;
  int mTextGap = 2;
  bool mShowToolTips = true;
  int mToolTipDelay = 1;
  std::string mToolTipText;
  bool mToolTipShown = false;
  int mToolTipOffsetX = 0, mToolTipOffsetY = 20;
  int mLastButton = 0;
  int mLastMouseButton = 0;
  float mLastX = 0, mLastY = 0;
};

// Copies the whole picture of `source` onto the image of `destination` at
// (x, y), leaving the destination as it was where the source has the
// transparent colour. Built from the classic mask sequence: a monochrome
// mask of the transparent pixels, its inverse, destination AND mask, source
// AND inverse mask, then OR. The source is not changed.
void BlitTransparent(forms::PictureBox& destination, const forms::PictureBox& source, int x, int y,
                     forms::Color transparent);

}  // namespace widgets
