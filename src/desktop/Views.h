#pragma once
// The widget of each kind of element, kept in step with its model (model ->
// widget in update(), widget -> model through forms/UserInput.h). Internal to
// the desktop front end.
#include <QObject>
#include <functional>
#include <memory>
#include <QPointer>
#include <QWidget>

#include "forms/Controls.h"
#include "forms/Form.h"

class QKeyEvent;
class QMouseEvent;

namespace desktop {

class QtDesktop;
class ElementView;

// Custom widgets carry a link back to their view, cut when the view goes
// (the widget itself may outlive it until Qt deletes it later).
struct ViewLink {
  ElementView* view = nullptr;
};

class ElementView : public forms::View {
 public:
  ElementView(QtDesktop& desk, forms::Element& element);
  ~ElementView() override;
  ElementView(const ElementView&) = delete;
  ElementView& operator=(const ElementView&) = delete;

  forms::Element& element() const { return element_; }
  QWidget* widget() const { return widget_; }
  // Where the widgets of contained controls go, and where the container's
  // coordinate origin lies in it.
  virtual QWidget* clientWidget() const { return widget_; }
  virtual QPoint clientOrigin() const { return {}; }

  void changed(forms::Element& element, forms::What what) final;
  // The desktop closes (the application object may be gone already): what
  // the widget asks of the model from now on is not read from it.
  virtual void detach() {}
  // Shows every property of the model.
  void updateAll();

  // A mouse event on the widget or one of its parts (`target`, position in
  // the view's widget); true when it must not reach the widget.
  virtual bool mouseEvent(QWidget* target, QMouseEvent* event);
  // A wheel turn over the widget; true when it must not reach the widget.
  virtual bool wheelBlocked() const { return false; }

 protected:
  // Shows one kind of change of the model.
  virtual void update(forms::What what) = 0;
  // Makes `w` the view's widget (kept in the desktop's registry); `link` is
  // the widget's back link when it has one.
  void setWidget(QWidget* w, ViewLink* link = nullptr);
  // Runs `action` on the widget's behalf unless the model is being shown;
  // false when the view is gone afterwards (a handler unloaded the window),
  // and then the caller must not touch it any more.
  bool fromWidget(const std::function<void()>& action);
  // Expires with the view.
  std::weak_ptr<int> lifeToken() const { return life_; }

  QtDesktop& desk_;
  forms::Element& element_;
  QPointer<QWidget> widget_;
  ViewLink* link_ = nullptr;
  bool syncing_ = false;  // update() runs: the widget's own signals are ignored
  QObject context_;       // the receiver of the widget's signal connections

 private:
  std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

class FormView : public ElementView {
 public:
  FormView(QtDesktop& desk, forms::Form& form);
  forms::Form& form() const { return static_cast<forms::Form&>(element_); }
  QWidget* clientWidget() const override { return widget_; }
  // The page area of a frame form, where its child pages go.
  QWidget* pageArea() const { return pageArea_; }
  // Places the page area between the aligned picture boxes.
  void layoutPages();
  // The window was moved or resized by the user.
  void userGeometry();
  void closeBox();

 protected:
  void update(forms::What what) override;

 private:
  void applyFlags();
  QPointer<QWidget> pageArea_;
};

// Every control: geometry, visibility, enabled state, colours, font, pointer,
// tool tip and focus; the kinds add their own properties.
class ControlView : public ElementView {
 public:
  ControlView(QtDesktop& desk, forms::Control& control);
  forms::Control& control() const { return static_cast<forms::Control&>(element_); }
  bool mouseEvent(QWidget* target, QMouseEvent* event) override;
  // A refused key: the background turns to the flash colour for
  // kFlashMs and then back to the control's own colour.
  void flash();
  static constexpr int kFlashMs = 150;

 protected:
  // Puts the widget into its container and shows everything.
  void place(QWidget* w, ViewLink* link = nullptr);
  void update(forms::What what) override;
  // The palette roles of the control's background and text.
  virtual QPalette::ColorRole backRole() const { return QPalette::Window; }
  virtual QPalette::ColorRole foreRole() const { return QPalette::WindowText; }
  // A press and release on the control is its click (Click of a label or
  // picture box); buttons, lists and edits have their own.
  virtual bool clicksOnRelease() const { return false; }
  // X and Y of a mouse event in the control's scale units.
  virtual QPointF scalePosition(QPoint widgetPos) const;
  // A mouse event on an edit box: the press that gives the box the focus
  // keeps the selection the box took with it (its whole text), so the edit
  // widget neither sees that press nor the drag and release that follow.
  bool focusingClick(QWidget* target, QMouseEvent* event);

 private:
  bool focusClick_ = false;  // swallowing the press that focused the box, until its release
  bool pressed_ = false;
  bool dblClick_ = false;  // the press was the second of a double click
};

// F4 or Alt+Down on a combo box: opens its list; false for any other key or view.
bool comboOpensList(ElementView& view, int qtKey, Qt::KeyboardModifiers modifiers);
// What a key that reached the open drop-down list of a combo box does.
enum class ListKey {
  List,   // the list's own: the arrows, the pages, Esc (closes it without a pick)
  Box,    // the box's after all: what types into its edit part, and Tab and
          // Shift+Tab, which take the highlighted row, close the list and move on
  Taken,  // Enter: the highlighted row taken and the list closed, nothing more
};
// The use of a key that reached the open drop-down list (`target`) of the
// combo box of `view` (ListKey::List for any other view). A shortcut check
// (ShortcutOverride) only asks; the press acts.
ListKey comboListKey(ElementView& view, QWidget* target, const QKeyEvent* event);

// Builds the view of a control of any kind; nullptr for a control without
// a widget (a timer).
std::unique_ptr<ElementView> makeControlView(QtDesktop& desk, forms::Control& control);

}  // namespace desktop
