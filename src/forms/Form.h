#pragma once
// The base of every window. A window is a class deriving from Form whose
// controls are members, placed in its constructor; Application owns the one
// default instance of each window.
#include <functional>
#include <string>
#include <vector>

#include "forms/Canvas.h"
#include "forms/Control.h"

namespace forms {

class Menu;

class Form : public Element, public Container, public Canvas {
 public:
  // Border sizes of a window with a caption, in pixels: Width and Height are
  // the outer size, ScaleWidth and ScaleHeight the client area.
  static constexpr int FrameWidthPx = 8;    // 4 left + 4 right
  static constexpr int FrameHeightPx = 31;  // 23 caption + 4 top + 4 bottom

  Form();
  ~Form() override;

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  // A name for the icon resource (the About window shows the frame's).
  const std::string& Icon() const { return icon_; }
  void setIcon(const std::string& icon);
  // 0 none (no caption, no border), 1 fixed single, 2 sizable.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int s);
  // Whether the window may be maximised (its maximise button, the Maximize
  // item of its system menu, a double click on its caption).
  bool MaxButton() const { return maxButton_; }
  void setMaxButton(bool v) {
    maxButton_ = v;
    notify(What::Appearance);
  }
  // 0 manual, 2 centred on the screen at the first Show.
  int StartUpPosition() const { return startUpPosition_; }
  void setStartUpPosition(int p) { startUpPosition_ = p; }
  // Above every other window (HWND_TOPMOST), position and size unchanged.
  bool Topmost() const { return topmost_; }
  void setTopmost(bool v);
  // Sets Width and Height from a client size in twips.
  void setClientSize(int width, int height);
  // Setting BackColor clears the form's image.
  void setBackColor(Color c) override;

  // Show modeless, or modal (vbModal): a modal Show returns when the form
  // is hidden or unloaded. Showing an MDI child shows its frame and makes
  // the child the frame's page (another page shown before is hidden).
  void Show(int modal = vbModeless);
  void Hide();
  // Visible = True is Show, False is Hide.
  void setVisible(bool v) override;
  // Visible, and for an MDI child also its frame: what the user can see.
  bool isShown() const;
  // Loaded and not yet unloaded (an unloaded form lives on, unusable,
  // until the event that unloaded it has returned).
  bool isLoaded() const { return loaded_; }
  bool isModal() const { return modal_; }

  // MDI: a frame form hosts its child pages in the area between the picture
  // boxes aligned at its top and bottom.
  bool isMDIForm() const { return mdiForm_; }
  // Makes this form a child page of the frame form F, or of the frame the
  // application names (Application::setFrame), without naming its type (call
  // it in the constructor); loading this form loads the frame first.
  template <class F>
  void setMDIChild();
  void setMDIChild();
  Form* mdiFrame() const { return mdiFrame_; }
  // Frame only: the page it shows, nullptr when none.
  Form* ActiveForm() const { return activeChild_; }
  // The client area less the aligned picture boxes, in twips of the client.
  int pageTop() const;
  int pageHeight() const;

  // The control that has (or last had) the focus in this form.
  Control* ActiveControl() const { return activeControl_; }
  // Every control of the form, in creation order.
  const std::vector<Control*>& controls() const { return controls_; }
  // The next (or previous) control in tab order after `from` (nullptr: from
  // the start), wrapping round; nullptr when none can take the focus.
  Control* nextTabStop(const Control* from, bool forward) const;

  // Shows a pop-up menu at the mouse pointer (Desktop::PopupMenu).
  void PopupMenu(Menu& menu);

  // Esc, from any control of the window, closes it as its close box does
  // (a window that only shows or picks); off by default.
  bool EscapeCloses() const { return escapeCloses_; }
  void setEscapeCloses(bool v) { escapeCloses_ = v; }

  // A frame's own keys, seen before the focused control of the frame or of
  // one of its pages sees them (not in dialogs); true when the key was the
  // frame's.
  std::function<bool(int KeyCode, int Shift)> FrameKey;

  std::function<void()> Load;
  std::function<void()> Activate;
  std::function<void()> Resize;
  std::function<void(int& Cancel, int UnloadMode)> QueryUnload;
  std::function<void(int& Cancel)> Unload;

  Form& containerForm() override { return *this; }
  Control* asControl() override { return nullptr; }

 private:
  bool escapeCloses_ = false;

 protected:
  // Marks the form as an MDI frame (MDIForm does it).
  void setMDIForm() { mdiForm_ = true; }
  Color BackColorOfCanvas() const override { return backColor_; }
  Color ForeColorOfCanvas() const override { return foreColor_; }
  const Font& FontOfCanvas() const override { return font_; }
  int clientWidthPx() const override;
  int clientHeightPx() const override;
  void canvasChanged() override { notify(What::Picture); }
  void moved(bool resized) override;

 private:
  friend class Application;
  friend class Control;
  friend class PictureBox;

  void add(Control& c);
  void remove(Control& c);
  void layoutAligned();

  std::string caption_;
  std::string icon_;
  int borderStyle_ = 2;
  bool maxButton_ = true;
  int startUpPosition_ = 0;
  bool topmost_ = false;
  bool loaded_ = false;
  bool unloading_ = false;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool mdiForm_ = false;
  Form* mdiFrame_ = nullptr;
  std::function<Form&()> loadFrame_;
  Form* activeChild_ = nullptr;
  Control* activeControl_ = nullptr;
  std::vector<Control*> controls_;
  long nextOrder_ = 0;
};

// The MDI frame window.
class MDIForm : public Form {
 public:
  MDIForm() { setMDIForm(); }
};

}  // namespace forms

#include "forms/Application.h"

namespace forms {
template <class F>
void Form::setMDIChild() {
  static_assert(std::is_base_of_v<MDIForm, F>, "the frame of an MDI child is an MDIForm");
  loadFrame_ = []() -> Form& { return app().form<F>(); };
}
inline void Form::setMDIChild() {
  loadFrame_ = []() -> Form& { return app().frame(); };
}
}  // namespace forms
