#pragma once
// The drawing surface of picture boxes and forms: a persistent image of the
// client area, drawn with Line, PSet and Print in the element's scale units.
// Everything drawn lands in Image() whatever AutoRedraw says (there is no
// screen in the model: the front end shows Image()).
#include <functional>
#include <string_view>

#include "forms/Constants.h"
#include "forms/FontEngine.h"
#include "forms/Image.h"

namespace forms {

enum class LineKind { Plain, Box, BoxFill };  // Line ..., B / BF

class Canvas {
 public:
  int ScaleMode() const { return scaleMode_; }
  // vbTwips or vbPixels; anything else is refused with FormsError.
  void setScaleMode(int mode);
  // The client area in scale units.
  float ScaleWidth() const;
  float ScaleHeight() const;
  bool AutoRedraw() const { return autoRedraw_; }
  void setAutoRedraw(bool v) { autoRedraw_ = v; }

  float CurrentX() const { return currentX_; }
  float CurrentY() const { return currentY_; }
  void setCurrentX(float v) { currentX_ = v; }
  void setCurrentY(float v) { currentY_ = v; }

  // Clears the image to BackColor (then draws Picture over it); CurrentX and
  // CurrentY go to 0.
  void Cls();
  // Line (x1, y1)-(x2, y2), colour[, B | BF]: a plain line leaves out its last
  // point; a box includes both corners. CurrentX, CurrentY become (x2, y2).
  void Line(float x1, float y1, float x2, float y2, Color colour, LineKind kind = LineKind::Plain);
  void Line(float x1, float y1, float x2, float y2) { Line(x1, y1, x2, y2, ForeColorOfCanvas()); }
  void PSet(float x, float y, Color colour);
  // Draws the text at CurrentX, CurrentY in ForeColor and the font. With
  // `newline` (VB's Print without ";") CurrentX goes back to 0 and CurrentY
  // down one line; otherwise CurrentX moves past the text. Line breaks in the
  // text start new lines.
  void Print(std::string_view text, bool newline = true);
  // In scale units; a text with line breaks is as high as its lines.
  float TextWidth(std::string_view text) const;
  float TextHeight(std::string_view text) const;

  // The assigned picture (the background that Cls restores).
  const forms::Image& Picture() const { return picture_; }
  void setPicture(const forms::Image& picture);
  // The persistent image: the picture with everything drawn on it.
  const forms::Image& Image() const { return image_; }
  // Direct access for block copies (bitBlt, blitTransparent); call Refresh
  // afterwards so that the view repaints.
  forms::Image& image() { return image_; }

  // Repaints: tells the view, and raises Paint when AutoRedraw is off.
  void Refresh();
  std::function<void()> Paint;

  // Scale units to pixels and back.
  int toPixels(float v) const;
  float fromPixels(int px) const;

 protected:
  Canvas() = default;
  ~Canvas() = default;
  virtual Color BackColorOfCanvas() const = 0;
  virtual Color ForeColorOfCanvas() const = 0;
  virtual const Font& FontOfCanvas() const = 0;
  virtual int clientWidthPx() const = 0;
  virtual int clientHeightPx() const = 0;
  virtual void canvasChanged() = 0;
  // After the client size changed: keeps what fits, new room gets BackColor.
  void resizeCanvas();

 private:
  int scaleMode_ = vbTwips;
  bool autoRedraw_ = false;
  float currentX_ = 0, currentY_ = 0;
  forms::Image picture_;
  forms::Image image_;
};

}  // namespace forms
