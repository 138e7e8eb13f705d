#include "desktop/Views.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTimer>
#include <QWindow>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

#include "desktop/Keys.h"
#include "desktop/QtDesktop.h"
#include "desktop/QtFontEngine.h"
#include "desktop/QtText.h"
#include "desktop/ResourceImages.h"
#include "forms/UserInput.h"

namespace desktop {

using namespace forms;

namespace {

int px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(TwipsPerPixel))); }

QColor qcolor(Color c) {
  const Color rgb = resolveColor(c);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

QImage toQImage(const forms::Image& image) {
  QImage out(image.width(), image.height(), QImage::Format_RGB32);
  const auto pixels = image.pixels();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const Color p = pixels[static_cast<size_t>(y) * image.width() + x];
      line[x] = image.isMono() ? (p ? qRgb(255, 255, 255) : qRgb(0, 0, 0))
                               : qRgb(p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF);
    }
  }
  return out;
}

Qt::Alignment alignment(int vb) {
  switch (vb) {
    case vbRightJustify:
      return Qt::AlignRight;
    case vbCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

void noFocusAnywhere(QWidget* w) {
  w->setFocusPolicy(Qt::NoFocus);
  for (QWidget* c : w->findChildren<QWidget*>()) c->setFocusPolicy(Qt::NoFocus);
}

// A list, a multi-line box or a label with a border, framed as the one-line
// boxes are: a line all round (a sunken panel's white lower and right edges
// vanish on the window's light grey, and the box looks cut), in the
// highlight colour while the control has the focus, as a focused box shows.
template <class Base>
class BoxFrame : public Base {
 protected:
  bool event(QEvent* e) override {
    const bool done = Base::event(e);
    if (e->type() == QEvent::Paint && Base::frameShape() != QFrame::NoFrame && Base::frameWidth() > 0) {
      QPainter p(this);
      const QPalette& pal = Base::palette();
      const bool focus = Base::hasFocus();
      const QRect r = Base::frameRect();
      p.setPen(focus ? pal.color(QPalette::Highlight) : pal.color(QPalette::Window).darker(140));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      if (Base::frameWidth() >= 2) {
        p.setPen(focus ? pal.color(QPalette::Highlight) : pal.color(Base::backgroundRole()));
        p.drawRect(r.adjusted(1, 1, -2, -2));
      }
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) Base::update();
    return done;
  }
};

// --- a surface that shows an image of the model --------------------------------

// Picture boxes, image controls and forms: the background, the image at the
// client origin and the border. A repaint that the model did not ask for
// (the screen uncovered it) is reported through `exposed`.
class CanvasWidget : public QWidget, public ViewLink {
 public:
  using QWidget::QWidget;
  const forms::Image* image = nullptr;
  QColor back;
  bool fillBack = true;
  int border = 0;  // 0 none, 1 a plain line, 2 the sunken 3D panel
  std::function<void()> exposed;

  void modelChanged() {
    dirty_ = true;
    requested_ = true;
    QWidget::update();
  }
  int inset() const { return border; }
  // The screen shows the surface anew (shown, restored): a window that draws
  // itself draws again. The window system need not send a repaint for that
  // (X11 keeps the window's pixels), so it is not left to paintEvent.
  void reshown() {
    if (exposed)
      QTimer::singleShot(0, this, [this] {
        if (view && isVisible()) exposed();
      });
  }

 protected:
  void showEvent(QShowEvent* e) override {
    QWidget::showEvent(e);
    reshown();
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (fillBack) p.fillRect(rect(), back);
    if (image && image->width() > 0 && image->height() > 0) {
      if (dirty_) cache_ = toQImage(*image), dirty_ = false;
      p.drawImage(inset(), inset(), cache_);
    }
    if (border == 2) qDrawWinPanel(&p, rect(), palette(), true);
    if (border == 1) qDrawPlainRect(&p, rect(), palette().color(QPalette::WindowText));
    if (!requested_ && exposed)
      QTimer::singleShot(0, this, [this] {
        if (view) exposed();  // unless the view went meanwhile
      });
    requested_ = false;
  }

 private:
  QImage cache_;
  bool dirty_ = true;
  bool requested_ = false;
};

// The top-level window (or page) of a form.
class FormWindow : public CanvasWidget {
 public:
  using CanvasWidget::CanvasWidget;
  FormView* formView() const { return static_cast<FormView*>(view); }

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();  // the form decides, through its QueryUnload and Unload
    if (formView()) formView()->closeBox();
  }
  void moveEvent(QMoveEvent*) override {
    if (formView()) formView()->userGeometry();
  }
  void resizeEvent(QResizeEvent*) override {
    if (formView()) formView()->userGeometry();
  }
  void changeEvent(QEvent* e) override {
    CanvasWidget::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || isMinimized()) return;
    reshown();  // restored: this window and the pages and pictures on it
    for (CanvasWidget* c : findChildren<CanvasWidget*>())
      if (c->isVisible()) c->reshown();
  }
};

}  // namespace

// --- ElementView ---------------------------------------------------------------------

ElementView::ElementView(QtDesktop& desk, Element& element) : desk_(desk), element_(element) { element.setView(this); }

ElementView::~ElementView() {
  if (desk_.elementsAlive_ && element_.view() == this) element_.setView(nullptr);
  if (link_) link_->view = nullptr;
  if (widget_) {
    desk_.byWidget_.erase(widget_);
    widget_->hide();
    widget_->deleteLater();  // it may be inside one of its own events now
  }
}

void ElementView::setWidget(QWidget* w, ViewLink* link) {
  widget_ = w;
  link_ = link;
  if (link) link->view = this;
  desk_.byWidget_[w] = this;
}

void ElementView::changed(Element& element, What what) {
  if (&element != &element_ || !widget_) return;
  const bool outer = !syncing_;
  syncing_ = true;
  update(what);
  if (outer) syncing_ = false;
}

void ElementView::updateAll() {
  for (What w : {What::Geometry, What::Appearance, What::Text, What::List, What::Value, What::Selection, What::Picture,
                 What::Enabled, What::Visible})
    changed(element_, w);
}

bool ElementView::fromWidget(const std::function<void()>& action) {
  if (syncing_) return true;
  const std::weak_ptr<int> alive = life_;
  desk_.deliver(action);
  return !alive.expired();
}

bool ElementView::mouseEvent(QWidget*, QMouseEvent*) { return false; }

// --- FormView ----------------------------------------------------------------------

FormView::FormView(QtDesktop& desk, Form& form) : ElementView(desk, form) {
  QWidget* parent = nullptr;
  if (form.mdiFrame())
    if (FormView* frame = desk.formView(*form.mdiFrame())) parent = frame->pageArea();
  auto* w = new FormWindow(parent);
  // Set, not inherited: a page inside the frame's dark page area keeps the
  // window colours for its labels and frames.
  w->setBackgroundRole(QPalette::Window);
  w->setForegroundRole(QPalette::WindowText);
  w->image = &form.Image();
  w->exposed = [this] { desk_.deliver([this] { input::paint(this->form()); }); };
  if (form.isMDIForm()) {
    pageArea_ = new QWidget(w);
    pageArea_->setAutoFillBackground(true);
    pageArea_->setBackgroundRole(QPalette::Dark);
  }
  setWidget(w, w);
  noFocusAnywhere(w);
  updateAll();
}

void FormView::layoutPages() {
  if (!pageArea_) return;
  const Form& f = form();
  pageArea_->setGeometry(0, px(f.pageTop()), f.Image().width(), px(f.pageHeight()));
  pageArea_->lower();
}

void FormView::applyFlags() {
  const Form& f = form();
  if (f.mdiFrame()) return;  // a page has no frame of its own
  Qt::WindowFlags flags = Qt::Window;
  if (f.BorderStyle() == 0) {
    // A window without caption and without fields (splash, tool tip) shows
    // without taking the focus from the active window.
    const bool takesKeys = std::any_of(f.controls().begin(), f.controls().end(),
                                       [](const Control* c) { return c->focusable() && c->isTabStop(); });
    flags = (takesKeys ? Qt::Window : Qt::ToolTip) | Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    // A dialog of fixed size offers neither minimise nor maximise; the main
    // frame and a sizable window can be minimised.
    if (f.isMDIForm() || f.BorderStyle() == 2) flags |= Qt::WindowMinimizeButtonHint;
    if (f.BorderStyle() == 2 && f.MaxButton()) flags |= Qt::WindowMaximizeButtonHint;
  }
  if (f.Topmost()) flags |= Qt::WindowStaysOnTopHint;
  widget_->setAttribute(Qt::WA_ShowWithoutActivating, f.BorderStyle() == 0);
  if (widget_->windowFlags() == flags) return;
  const bool shown = widget_->isVisible();
  if (shown && widget_->windowHandle() && (widget_->windowFlags() ^ flags) == Qt::WindowStaysOnTopHint) {
    // Only the topmost state changes: the window system is told, the window
    // is not made anew (that would show it again unpainted, and the splash
    // stays unpainted through the start-up's Sleep).
    widget_->overrideWindowFlags(flags);
    widget_->windowHandle()->setFlags(flags);
    return;
  }
  widget_->setWindowFlags(flags);
  if (shown) widget_->show();
}

void FormView::update(What what) {
  Form& f = form();
  auto* w = static_cast<FormWindow*>(widget_.data());
  const bool page = f.mdiFrame() != nullptr;
  switch (what) {
    case What::Geometry: {
      const QSize client(f.Image().width(), f.Image().height());
      if (page) {
        w->setGeometry(QRect(QPoint(px(f.Left()), px(f.Top())), client));
      } else {
        w->move(px(f.Left()), px(f.Top()));
        if (f.BorderStyle() == 2) {
          w->setMinimumSize(0, 0);
          w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
          w->resize(client);
        } else {
          w->setFixedSize(client);
        }
      }
      layoutPages();
      w->modelChanged();
      break;
    }
    case What::Visible:
      if (page) {  // the frame's own visibility is Qt's business: the page is its child
        w->setVisible(f.Visible() && f.mdiFrame()->ActiveForm() == &f);
      } else if (f.Visible()) {
        w->show();
        if (QGuiApplication::platformName() != "offscreen") w->raise();  // offscreen cannot
        if (f.BorderStyle() != 0) w->activateWindow();
      } else {
        w->hide();
      }
      desk_.checkModalLoops();
      break;
    case What::Enabled:
      w->setEnabled(f.Enabled());
      break;
    case What::Text:
      w->setWindowTitle(qs(f.Caption()));
      break;
    case What::Appearance:
      applyFlags();
      w->back = qcolor(f.BackColor());
      w->setFont(qtFont(f.font()));
      if (!page) w->setWindowIcon(f.Icon().empty() ? QIcon() : resourceIcon(f.Icon()));
      if (f.MousePointer() == vbDefault)
        w->unsetCursor();
      else
        w->setCursor(pointerCursor(f.MousePointer()));
      w->modelChanged();
      break;
    case What::Picture:
      // The model sizes its image after it reports a new size: the window
      // takes the image's size (a zero-sized window is never mapped on X11,
      // as a tool tip shown right after its resize would be).
      if (w->size() != QSize(f.Image().width(), f.Image().height())) return update(What::Geometry);
      w->modelChanged();
      break;
    default:
      break;
  }
}

void FormView::userGeometry() {
  Form& f = form();
  if (syncing_ || f.mdiFrame() || !widget_->isVisible()) return;
  const int frameW = f.BorderStyle() ? Form::FrameWidthPx : 0, frameH = f.BorderStyle() ? Form::FrameHeightPx : 0;
  const QPoint pos = widget_->pos();
  const QSize size = widget_->size();
  fromWidget([&] {
    if (desk_.isLoaded(f))
      f.Move(pos.x() * TwipsPerPixel, pos.y() * TwipsPerPixel, (size.width() + frameW) * TwipsPerPixel,
             (size.height() + frameH) * TwipsPerPixel);
  });
}

void FormView::closeBox() {
  Form& f = form();
  fromWidget([&] {
    if (desk_.isLoaded(f) && app().acceptsInput(f)) input::close(f);
  });
}

// --- ControlView ---------------------------------------------------------------

ControlView::ControlView(QtDesktop& desk, Control& control) : ElementView(desk, control) {}

void ControlView::place(QWidget* w, ViewLink* link) {
  if (ElementView* container = desk_.containerView(control())) w->setParent(container->clientWidget());
  setWidget(w, link);
  noFocusAnywhere(w);
  updateAll();
}

void ControlView::update(What what) {
  Control& c = control();
  QWidget* w = widget_;
  switch (what) {
    case What::Geometry: {
      ElementView* container = desk_.containerView(c);
      const QPoint origin = container ? container->clientOrigin() : QPoint();
      w->setGeometry(origin.x() + px(c.Left()), origin.y() + px(c.Top()), px(c.Width()), px(c.Height()));
      auto* picture = dynamic_cast<const PictureBox*>(&c);
      if (picture && picture->Align() != vbAlignNone)
        if (FormView* fv = desk_.formView(c.form())) fv->layoutPages();
      break;
    }
    case What::Visible:
      w->setVisible(c.Visible());
      break;
    case What::Enabled:
      w->setEnabled(c.Enabled());
      break;
    case What::Appearance: {
      QPalette pal = w->palette();
      pal.setColor(backRole(), qcolor(c.BackColor()));
      // The disabled look keeps the palette's own grey text.
      for (auto group : {QPalette::Active, QPalette::Inactive}) pal.setColor(group, foreRole(), qcolor(c.ForeColor()));
      w->setPalette(pal);
      w->setFont(qtFont(c.font()));
      if (c.MousePointer() == vbDefault)
        w->unsetCursor();
      else
        w->setCursor(pointerCursor(c.MousePointer()));
      w->setToolTip(qs(c.ToolTipText()));
      break;
    }
    case What::Focus:
      if (c.hasFocus()) {
        if (!w->window()->isActiveWindow() && !w->window()->testAttribute(Qt::WA_ShowWithoutActivating))
          w->window()->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
      }
      break;
    default:
      break;
  }
}

void ControlView::flash() {
  QWidget* w = widget_;
  if (!w) return;
  QPalette pal = w->palette();
  pal.setColor(backRole(), QColor(255, 170, 170));
  w->setPalette(pal);
  // The timer belongs to the view: a window closed meanwhile takes it along.
  QTimer::singleShot(kFlashMs, &context_, [this] { update(What::Appearance); });
}

QPointF ControlView::scalePosition(QPoint pos) const {
  return QPointF(pos.x() * TwipsPerPixel, pos.y() * TwipsPerPixel);
}

bool ControlView::mouseEvent(QWidget* target, QMouseEvent* e) {
  Control& c = control();
  const QPoint pos = target->mapTo(widget_, e->position().toPoint());
  const QPointF at = scalePosition(pos);
  const float x = static_cast<float>(at.x()), y = static_cast<float>(at.y());
  const int shift = vbShift(e->modifiers());
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const int button = vbButtons(e->button());
      if (!button) return true;
      pressed_ = true;
      dblClick_ = e->type() == QEvent::MouseButtonDblClick;
      fromWidget([&] { input::mouseDown(c, button, shift, x, y); });
      return false;
    }
    case QEvent::MouseButtonRelease: {
      const int button = vbButtons(e->button());
      if (!button || !pressed_) return false;
      pressed_ = false;
      const bool inside = widget_->rect().contains(pos);
      fromWidget([&] {
        input::mouseUp(c, button, shift, x, y);
        if (clicksOnRelease() && inside && button == vbLeftButton && c.shownInForm() && c.enabledInForm()) {
          input::releaseClick(c, dblClick_);
        }
      });
      return false;
    }
    case QEvent::MouseMove: {
      const int buttons = vbButtons(e->buttons());
      if (buttons || widget_->hasMouseTracking()) fromWidget([&] { input::mouseMove(c, buttons, shift, x, y); });
      return false;
    }
    default:
      return false;
  }
}

bool ControlView::focusingClick(QWidget* target, QMouseEvent* e) {
  const bool hadFocus = control().hasFocus();
  const std::weak_ptr<int> alive = lifeToken();
  const bool blocked = ControlView::mouseEvent(target, e);
  if (alive.expired()) return true;
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      focusClick_ = !hadFocus && control().hasFocus() && e->button() == Qt::LeftButton;
      return blocked || focusClick_;
    case QEvent::MouseMove:
      return blocked || (focusClick_ && (e->buttons() & Qt::LeftButton));
    case QEvent::MouseButtonRelease:
      if (focusClick_ && e->button() == Qt::LeftButton) {
        focusClick_ = false;
        return true;
      }
      return blocked;
    default:
      return blocked;
  }
}

namespace {

// --- static controls ---------------------------------------------------------

class LabelView : public ControlView {
 public:
  LabelView(QtDesktop& desk, Label& label) : ControlView(desk, label) {
    auto* w = new BoxFrame<QLabel>;
    w->setTextFormat(Qt::PlainText);
    w->setMargin(0);
    w->setIndent(0);
    place(w);
  }

 protected:
  bool clicksOnRelease() const override { return true; }
  void update(What what) override {
    ControlView::update(what);
    auto& l = static_cast<Label&>(element_);
    auto* w = static_cast<QLabel*>(widget_.data());
    if (what == What::Text) w->setText(lines(stripAccessKey(l.Caption())));
    if (what == What::Appearance) {
      w->setAlignment(alignment(l.Alignment()) | Qt::AlignTop);
      w->setWordWrap(!l.AutoSize());
      w->setAutoFillBackground(l.BackStyle() == 1);
      w->setFrameStyle(l.BorderStyle() ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
      w->setLineWidth(l.BorderStyle() ? 2 : 0);
    }
    if (what == What::Text || what == What::Appearance || what == What::Geometry) fitWords(l, w);
  }

  // A word wider than the label (a figure has no blank to wrap at) would lose
  // its first or last characters: the text is drawn as much smaller as the
  // widest word needs, never hiding a digit. Others keep the label's font.
  static void fitWords(const Label& l, QLabel* w) {
    QFont font = qtFont(l.font());
    const int room = w->contentsRect().width();
    const QStringList words = w->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (room > 0 && !l.AutoSize()) {
      for (int size = font.pixelSize(); size > kSmallestPixels; --size) {
        const QFontMetrics fm(font);
        int widest = 0;
        for (const QString& word : words) widest = std::max(widest, fm.horizontalAdvance(word));
        if (widest <= room) break;
        font.setPixelSize(size - 1);
      }
    }
    if (w->font() != font) w->setFont(font);
  }
  static constexpr int kSmallestPixels = 6;
};

// A frame as the windows draw it: its face in the frame's own colour, an
// etched line round it at half the caption's height and the caption on
// that line (not the style's tinted panel with the title above it).
class FrameWidget : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));
    const QFontMetrics fm(font());
    const QRect box = rect().adjusted(0, fm.height() / 2, -1, -1);
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(pal.color(QPalette::Light));
    p.drawRect(box.adjusted(1, 1, 0, 0));
    if (title().isEmpty()) return;
    const QRect caption(8, 0, fm.horizontalAdvance(title()) + 4, fm.height());
    p.fillRect(caption, pal.color(QPalette::Window));
    p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
  }
};

class FrameView : public ControlView {
 public:
  FrameView(QtDesktop& desk, Frame& frame) : ControlView(desk, frame) { place(new FrameWidget); }

 protected:
  bool clicksOnRelease() const override { return true; }
  void update(What what) override {
    ControlView::update(what);
    if (what == What::Text)
      static_cast<QGroupBox*>(widget_.data())->setTitle(qs(stripAccessKey(static_cast<Frame&>(element_).Caption())));
  }
};

class LineWidget : public QWidget {
 public:
  using QWidget::QWidget;
  QLine line;
  QColor colour;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(colour);
    p.drawLine(line);
  }
};

class LineView : public ControlView {
 public:
  LineView(QtDesktop& desk, LineControl& line) : ControlView(desk, line) {
    auto* w = new LineWidget;
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(w);
  }

 protected:
  void update(What what) override {
    auto& l = static_cast<LineControl&>(element_);
    auto* w = static_cast<LineWidget*>(widget_.data());
    if (what == What::Geometry) {
      ElementView* container = desk_.containerView(l);
      const QPoint origin = container ? container->clientOrigin() : QPoint();
      const QPoint a(px(l.X1()), px(l.Y1())), b(px(l.X2()), px(l.Y2()));
      const QRect box = QRect(a, b).normalized();
      w->setGeometry(box.translated(origin));
      w->line = QLine(a - box.topLeft(), b - box.topLeft());
    } else if (what == What::Appearance) {
      w->colour = qcolor(l.BorderColor());
      w->update();
    } else if (what == What::Visible) {
      w->setVisible(l.Visible());
    }
  }
};

class ImageView : public ControlView {
 public:
  ImageView(QtDesktop& desk, ImageControl& image) : ControlView(desk, image) {
    auto* w = new CanvasWidget;
    w->fillBack = false;
    w->image = &image.Picture();
    place(w, w);
  }

 protected:
  bool clicksOnRelease() const override { return true; }
  void update(What what) override {
    ControlView::update(what);
    auto* w = static_cast<CanvasWidget*>(widget_.data());
    if (what == What::Picture || what == What::Appearance) {
      w->image = &static_cast<ImageControl&>(element_).Picture();
      w->border = static_cast<ImageControl&>(element_).BorderStyle() ? 1 : 0;
      w->modelChanged();
    }
  }
};

class PictureView : public ControlView {
 public:
  PictureView(QtDesktop& desk, PictureBox& picture) : ControlView(desk, picture) {
    auto* w = new CanvasWidget;
    w->image = &picture.Image();
    w->setMouseTracking(true);  // MouseMove without a button, as the toolbar's hover needs
    w->exposed = [this] { desk_.deliver([this] { input::paint(box()); }); };
    place(w, w);
  }
  QPoint clientOrigin() const override { return {inset(), inset()}; }

 protected:
  PictureBox& box() const { return static_cast<PictureBox&>(element_); }
  int inset() const { return box().BorderStyle() ? 2 : 0; }
  bool clicksOnRelease() const override { return true; }
  QPointF scalePosition(QPoint pos) const override {
    return QPointF(box().fromPixels(pos.x() - inset()), box().fromPixels(pos.y() - inset()));
  }
  void update(What what) override {
    ControlView::update(what);
    auto* w = static_cast<CanvasWidget*>(widget_.data());
    if (what == What::Appearance || what == What::Picture || what == What::Geometry) {
      w->back = qcolor(box().BackColor());
      w->border = box().BorderStyle() ? 2 : 0;
      w->modelChanged();
    }
  }
};

// --- buttons -------------------------------------------------------------------

// Buttons, check boxes and option buttons draw the focus frame whenever they
// have the focus, as on Windows: the style would draw it only after a Tab
// typed into Qt itself, and here every focus change comes from the model.
template <class Base>
class ShowsFocus : public Base {
 protected:
  void initStyleOption(QStyleOptionButton* option) const override {
    Base::initStyleOption(option);
    if (Base::hasFocus()) option->state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
  }
};

class ButtonView : public ControlView {
 public:
  ButtonView(QtDesktop& desk, CommandButton& button) : ControlView(desk, button) {
    auto* w = new ShowsFocus<QPushButton>;
    w->setAutoDefault(false);
    QObject::connect(w, &QPushButton::clicked, &context_, [this] { fromWidget([this] { input::click(control()); }); });
    place(w);
  }

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Button; }
  QPalette::ColorRole foreRole() const override { return QPalette::ButtonText; }
  void update(What what) override {
    ControlView::update(what);
    if (what == What::Text)
      static_cast<QPushButton*>(widget_.data())->setText(lines(static_cast<CommandButton&>(element_).Caption()));
  }
};

// Check boxes and option buttons never change their own state: a click asks
// the model, which answers with its Value.
template <class Base>
class ModelCheckedButton : public ShowsFocus<Base>, public ViewLink {
 public:
  std::function<void()> clicked;

 protected:
  void nextCheckState() override {
    if (view && clicked) clicked();
  }
  // The whole control answers a click, as on Windows, not only its text.
  bool hitButton(const QPoint& pos) const override { return Base::rect().contains(pos); }
};

class CheckView : public ControlView {
 public:
  CheckView(QtDesktop& desk, CheckBox& check) : ControlView(desk, check) {
    auto* w = new ModelCheckedButton<QCheckBox>;
    w->clicked = [this] { fromWidget([this] { input::click(control()); }); };
    place(w, w);
  }

 protected:
  void update(What what) override {
    ControlView::update(what);
    auto& c = static_cast<CheckBox&>(element_);
    auto* w = static_cast<QCheckBox*>(widget_.data());
    if (what == What::Text) w->setText(qs(c.Caption()));
    if (what == What::Value) {
      w->setTristate(c.Value() == vbGrayed);
      w->setCheckState(c.Value() == vbChecked  ? Qt::Checked
                       : c.Value() == vbGrayed ? Qt::PartiallyChecked
                                               : Qt::Unchecked);
    }
  }
};

class OptionView : public ControlView {
 public:
  OptionView(QtDesktop& desk, OptionButton& option) : ControlView(desk, option) {
    auto* w = new ModelCheckedButton<QRadioButton>;
    w->setAutoExclusive(false);  // the model keeps the group
    w->clicked = [this] { fromWidget([this] { input::click(control()); }); };
    place(w, w);
  }

 protected:
  void update(What what) override {
    ControlView::update(what);
    auto& o = static_cast<OptionButton&>(element_);
    auto* w = static_cast<QRadioButton*>(widget_.data());
    if (what == What::Text) w->setText(qs(o.Caption()));
    if (what == What::Value) w->setChecked(o.Value());
  }
};

// --- text boxes ----------------------------------------------------------------

void configureLineEdit(QLineEdit* e) {
  e->setContextMenuPolicy(Qt::NoContextMenu);
  e->setAcceptDrops(false);
  e->setDragEnabled(false);
  e->setMaxLength(1 << 24);  // the model keeps MaxLength; code may assign longer texts
}

// The positions of a text with CR LF line breaks (the model's) and of the
// same text with one character per break (the widget's).
int shownPosition(const QString& t, int pos) {
  int n = 0;
  for (int i = 0; i + 1 < t.size() && i < pos; ++i)
    if (t[i] == '\r' && t[i + 1] == '\n') ++n;
  return pos - n;
}

int modelPosition(const QString& t, int shown) {
  int i = 0;
  for (int s = 0; i < t.size() && s < shown; ++s) i += t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n' ? 2 : 1;
  return i;
}

class TextView : public ControlView {
 public:
  TextView(QtDesktop& desk, TextBox& box) : ControlView(desk, box) {
    if (box.MultiLine()) {
      auto* w = new BoxFrame<QPlainTextEdit>;
      // Read-only for Qt: every key goes through the model. The caret stays visible.
      w->setReadOnly(true);
      w->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      w->setContextMenuPolicy(Qt::NoContextMenu);
      w->setAcceptDrops(false);
      w->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      QObject::connect(w, &QPlainTextEdit::cursorPositionChanged, &context_, [this] { readSelection(); });
      QObject::connect(w, &QPlainTextEdit::selectionChanged, &context_, [this] { readSelection(); });
      place(w);
    } else {
      auto* w = new QLineEdit;
      configureLineEdit(w);
      QObject::connect(w, &QLineEdit::cursorPositionChanged, &context_, [this] { readSelection(); });
      QObject::connect(w, &QLineEdit::selectionChanged, &context_, [this] { readSelection(); });
      place(w);
    }
  }

  bool mouseEvent(QWidget* target, QMouseEvent* e) override {
    const bool middle = e->button() == Qt::MiddleButton || (e->buttons() & Qt::MiddleButton);
    // A multi-line box takes the caret where it is clicked.
    const bool blocked = box().MultiLine() ? ControlView::mouseEvent(target, e) : focusingClick(target, e);
    return blocked || middle;  // no paste of the X selection behind the model's back
  }

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  TextBox& box() const { return static_cast<TextBox&>(element_); }

  void update(What what) override {
    ControlView::update(what);
    if (auto* line = qobject_cast<QLineEdit*>(widget_.data())) {
      if (what == What::Text && line->text() != qs(box().Text())) line->setText(qs(box().Text()));
      if (what == What::Text || what == What::Selection) {
        if (box().SelLength())
          line->setSelection(box().SelStart(), box().SelLength());
        else
          line->setCursorPosition(box().SelStart());
      }
      if (what == What::Appearance) line->setAlignment(alignment(box().Alignment()) | Qt::AlignVCenter);
      return;
    }
    auto* edit = static_cast<QPlainTextEdit*>(widget_.data());
    const QString full = qs(box().Text());
    if (what == What::Text && edit->toPlainText() != lines(box().Text())) edit->setPlainText(lines(box().Text()));
    if (what == What::Text || what == What::Selection) {
      QTextCursor cur = edit->textCursor();
      cur.setPosition(shownPosition(full, box().SelStart()));
      cur.setPosition(shownPosition(full, box().SelStart() + box().SelLength()), QTextCursor::KeepAnchor);
      edit->setTextCursor(cur);
    }
    if (what == What::Appearance) {
      QTextOption option = edit->document()->defaultTextOption();
      option.setAlignment(alignment(box().Alignment()));
      edit->document()->setDefaultTextOption(option);
    }
  }

  // The user selected with the mouse: the model takes the selection.
  void readSelection() {
    int start, length;
    if (auto* line = qobject_cast<QLineEdit*>(widget_.data())) {
      start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
      length = line->selectionLength();
    } else {
      const QTextCursor cur = static_cast<QPlainTextEdit*>(widget_.data())->textCursor();
      const QString full = qs(box().Text());
      start = modelPosition(full, cur.selectionStart());
      length = modelPosition(full, cur.selectionEnd()) - start;
    }
    if (start == box().SelStart() && length == box().SelLength()) return;
    fromWidget([&] {
      box().setSelStart(start);
      box().setSelLength(length);
    });
  }
};

// --- lists ---------------------------------------------------------------------

// The items of a list or combo as Qt reads them, straight from the model.
class ItemsModel : public QAbstractListModel {
 public:
  ItemsModel(const ListPart* list, QObject* parent) : QAbstractListModel(parent), list_(list) {}
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() || !list_ ? 0 : list_->ListCount(); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!list_ || (role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= list_->ListCount()) return {};
    return qs(list_->List(index.row()));
  }
  // The items changed (or the list goes away: nullptr).
  void reload(const ListPart* list) {
    beginResetModel();
    list_ = list;
    endResetModel();
  }

 private:
  const ListPart* list_;
};

// Draws list rows one line of the font high, with the list's tab stops
// (LB_SETTABSTOPS, in dialog units of a quarter of the average character).
class ListDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  std::vector<int> tabStops;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), QFontMetrics(option.font).height()};
  }

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    // The row with the caret of a focused list shows the focus frame, as the
    // buttons do (the style would wait for a Tab typed into Qt itself).
    if (o.state & QStyle::State_HasFocus) o.state |= QStyle::State_KeyboardFocusChange;
    const QString text = o.text;
    o.text.clear();
    const QWidget* w = o.widget;
    (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
    const auto group = o.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled;
    p->setPen(o.palette.color(group, o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    p->setFont(o.font);
    const QFontMetrics fm(o.font);
    const double unit = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0 / 4;
    int x = 0;
    const QStringList parts = text.split('\t');
    for (int i = 0; i < parts.size(); ++i) {
      if (i > 0) x = nextStop(x, unit);
      p->drawText(o.rect.left() + 2 + x, o.rect.top() + fm.ascent(), parts[i]);
      x += fm.horizontalAdvance(parts[i]);
    }
  }

 private:
  int nextStop(int x, double unit) const {
    for (int stop : tabStops)
      if (std::lround(stop * unit) > x) return static_cast<int>(std::lround(stop * unit));
    // Past the given stops (or without any): every 32 units, or every n
    // units for a single stop n.
    const double step = (tabStops.size() == 1 ? tabStops[0] : 32) * unit;
    return step > 0 ? static_cast<int>((std::floor(x / step) + 1) * step) : x + 1;
  }
};

class ListView : public ControlView {
 public:
  ListView(QtDesktop& desk, ListBox& box) : ControlView(desk, box) {
    auto* w = new BoxFrame<QListView>;
    model_ = new ItemsModel(&box, w);
    delegate_ = new ListDelegate(w);
    w->setModel(model_);
    w->setItemDelegate(delegate_);
    w->setUniformItemSizes(true);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setAutoScroll(false);
    w->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A border of 2 pixels, as the model counts it: the rows start where its
    // client area starts, the first one clear of the frame, and the list
    // shows as many whole rows as the model scrolls by.
    w->setLineWidth(2);
    w->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(w->verticalScrollBar(), &QScrollBar::valueChanged, &context_, [this](int top) {
      if (!syncing_ && top != list().TopIndex())
        fromWidget([this, top] {
          ListBox& l = list();
          // The wheel or the list's own scroll bar: the user scrolled it.
          if (l.shownInForm() && l.enabledInForm() && app().acceptsInput(l.form()))
            input::scroll(l, top);
          else
            l.setTopIndex(top);
        });
    });
    place(w);
  }
  ~ListView() override { ListView::detach(); }
  // The model may be gone already (the application ends before the
  // desktop): what the widget signals while it empties is not read.
  void detach() override {
    syncing_ = true;
    if (model_) model_->reload(nullptr);
  }

  bool mouseEvent(QWidget* target, QMouseEvent* e) override {
    auto* w = static_cast<QListView*>(widget_.data());
    if (target != w->viewport()) {  // the scroll bar: Qt scrolls, the model follows
      if (e->type() == QEvent::MouseButtonPress) fromWidget([this] { input::focus(list()); });
      return false;
    }
    const int row = w->indexAt(e->position().toPoint()).row();
    ListBox& l = list();
    const bool dbl = e->type() == QEvent::MouseButtonDblClick;
    if (dbl && e->button() == Qt::LeftButton) {
      if (!l.isSeparator(row)) fromWidget([&] { input::dblClick(l); });  // a separator line takes nothing
      return true;
    }
    const std::weak_ptr<int> alive = lifeToken();
    ControlView::mouseEvent(target, e);
    if (!alive.expired() && e->type() == QEvent::MouseButtonPress && e->button() == Qt::LeftButton && row >= 0)
      fromWidget([&] {
        if (l.shownInForm() && l.enabledInForm() && row < l.ListCount()) input::pickRow(l, row);
      });
    return true;
  }

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  ListBox& list() const { return static_cast<ListBox&>(element_); }

  void update(What what) override {
    ControlView::update(what);
    auto* w = static_cast<QListView*>(widget_.data());
    // A hidden list (the archive lines a window keeps) costs no widget work:
    // it shows its items when it is shown.
    if (!list().Visible() && (what == What::List || what == What::Selection)) {
      stale_ = true;
      return;
    }
    if (what == What::Visible && stale_) what = What::List;
    if (what == What::List) {
      stale_ = false;
      model_->reload(&list());
      what = What::Selection;
    }
    if (what == What::Selection) {
      const int li = list().ListIndex();
      if (li >= 0) {
        w->selectionModel()->setCurrentIndex(model_->index(li), QItemSelectionModel::ClearAndSelect);
      } else {
        // Nothing selected: the focus frame stays on the first row, the one
        // that Space, Enter and Down take.
        w->selectionModel()->clear();
        if (list().ListCount() > 0)
          w->selectionModel()->setCurrentIndex(model_->index(0), QItemSelectionModel::NoUpdate);
      }
      w->verticalScrollBar()->setValue(list().TopIndex());
    }
    if (what == What::Appearance) {
      delegate_->tabStops = list().tabStops();
      w->viewport()->update();
    }
  }

 private:
  QPointer<ItemsModel> model_;
  ListDelegate* delegate_;
  bool stale_ = false;  // the items changed while the list was hidden
};

// A combo that knows whether its list is open: Qt also reports "activated"
// when the edit part loses the focus holding the text of an item, which is
// no pick of the user (and would pull the focus back to the box).
class ComboWidget : public QComboBox {
 public:
  // The focus shows on a focused box however it came (see ShowsFocus).
  void initStyleOption(QStyleOptionComboBox* option) const override {
    QComboBox::initStyleOption(option);
    if (hasFocus()) option->state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
  }
  bool listOpen() const { return listOpen_; }
  void showPopup() override {
    listOpen_ = true;
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    // The pick is reported right after the list closes.
    QTimer::singleShot(0, this, [this] { listOpen_ = view()->isVisible(); });
  }

 private:
  bool listOpen_ = false;
};

class ComboView : public ControlView {
 public:
  ComboView(QtDesktop& desk, ComboBox& box) : ControlView(desk, box) {
    auto* w = new ComboWidget;
    model_ = new ItemsModel(&box, w);
    w->setModel(model_);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(8);
    // The box has the window's size: Qt need not measure every item.
    w->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    w->setMinimumContentsLength(1);
    if (auto* list = qobject_cast<QListView*>(w->view())) list->setUniformItemSizes(true);
    QObject::connect(w, &QComboBox::activated, &context_, [this, w](int row) {
      if (!w->listOpen()) return resync();
      if (fromWidget([this, row] {
            if (row >= 0 && row < combo().ListCount()) input::pickRow(combo(), row);
          }))
        resync();
    });
    place(w);
  }
  ~ComboView() override { ComboView::detach(); }
  // As a list's (a combo losing the focus looks through its items).
  void detach() override {
    syncing_ = true;
    if (model_) model_->reload(nullptr);
  }
  bool mouseEvent(QWidget* target, QMouseEvent* e) override {
    QLineEdit* line = static_cast<QComboBox*>(widget_.data())->lineEdit();
    if (!line || (target != line && !line->isAncestorOf(target))) return ControlView::mouseEvent(target, e);
    return focusingClick(target, e);
  }
  bool wheelBlocked() const override { return true; }  // no silent change of the selection
  // F4 and Alt+Down open the drop-down list.
  bool opensList(int qtKey, Qt::KeyboardModifiers m) const {
    return qtKey == Qt::Key_F4 || (qtKey == Qt::Key_Down && (m & Qt::AltModifier));
  }
  void openList() { static_cast<QComboBox*>(widget_.data())->showPopup(); }
  // A key that reached the open list (`target` is in the list's window);
  // `press`: the key press itself (not Qt's shortcut check before it), whose
  // Enter or Tab closes the list.
  ListKey listKey(QWidget* target, const QKeyEvent* e, bool press) {
    auto* w = static_cast<ComboWidget*>(widget_.data());
    QWidget* list = w->view()->window();
    if (!w->view()->isVisible() || (target != list && !list->isAncestorOf(target))) return ListKey::List;
    const int k = e->key();
    const auto use = [](bool box) { return box ? ListKey::Box : ListKey::List; };
    if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) {
      // Ctrl+V pastes into the edit part; Ctrl and a digit is the windows'
      // command key, which the model decides on, as from the closed box.
      const bool commandKey =
          (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::KeypadModifier)) == Qt::ControlModifier &&
          k >= Qt::Key_0 && k <= Qt::Key_9;
      return use((k == Qt::Key_V && w->isEditable()) || commandKey);
    }
    switch (k) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Tab:
      case Qt::Key_Backtab: {
        // The row the arrows highlighted is taken and the list closes; Tab
        // goes on to the box and moves to the next control, Enter stops
        // there (the next Enter moves on).
        const ListKey done = k == Qt::Key_Tab || k == Qt::Key_Backtab ? ListKey::Box : ListKey::Taken;
        if (!press) return done;
        const int row = w->view()->currentIndex().row();
        w->hidePopup();
        if (row >= 0 && row != combo().ListIndex())
          if (!fromWidget([this, row] {
                if (row < combo().ListCount()) input::pickRow(combo(), row);
              }))
            return ListKey::Taken;
        resync();
        return done;
      }
      case Qt::Key_Backspace:
      case Qt::Key_Delete:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Home:
      case Qt::Key_End:
        return use(w->isEditable());
      default:
        // What types goes into the edit part, with the program's own
        // completion; a list without one searches its rows itself.
        return use(w->isEditable() && !e->text().isEmpty() && e->text()[0].isPrint());
    }
  }

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  ComboBox& combo() const { return static_cast<ComboBox&>(element_); }

  void resync() {
    if (!widget_) return;
    syncing_ = true;
    update(What::Selection);
    syncing_ = false;
  }

  void update(What what) override {
    ControlView::update(what);
    auto* w = static_cast<QComboBox*>(widget_.data());
    ComboBox& c = combo();
    if (what == What::Appearance && w->isEditable() != (c.Style() == vbComboDropDown)) {
      w->setEditable(c.Style() == vbComboDropDown);
      if (QLineEdit* line = w->lineEdit()) {
        configureLineEdit(line);
        line->setCompleter(nullptr);
        line->setFocusPolicy(Qt::NoFocus);
        QObject::connect(line, &QLineEdit::cursorPositionChanged, &context_, [this] { readSelection(); });
        QObject::connect(line, &QLineEdit::selectionChanged, &context_, [this] { readSelection(); });
      }
      w->setFocusPolicy(Qt::NoFocus);
      what = What::Selection;
    }
    if (what == What::List) {
      model_->reload(&c);
      what = What::Selection;
    }
    if (what == What::Selection || what == What::Text) {
      w->setCurrentIndex(c.ListIndex());
      // The open list follows what is typed into the box.
      if (w->view()->isVisible() && c.ListIndex() >= 0) w->view()->setCurrentIndex(model_->index(c.ListIndex()));
      if (QLineEdit* line = w->lineEdit()) {
        if (line->text() != qs(c.Text())) line->setText(qs(c.Text()));
        if (c.SelLength())
          line->setSelection(c.SelStart(), c.SelLength());
        else
          line->setCursorPosition(c.SelStart());
      }
    }
  }

  void readSelection() {
    QLineEdit* line = static_cast<QComboBox*>(widget_.data())->lineEdit();
    // While Qt takes a row from its open list it shows the row's text before
    // it reports the pick (activated): the caret it sets then belongs to a
    // text the model does not hold yet, and must not undo the pick.
    if (syncing_ || !line || line->text() != qs(combo().Text())) return;
    const int start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    const int length = line->selectionLength();
    if (start == combo().SelStart() && length == combo().SelLength()) return;
    fromWidget([&] {
      combo().setSelStart(start);
      combo().setSelLength(length);
    });
  }

 private:
  QPointer<ItemsModel> model_;
};

// --- scroll bar ----------------------------------------------------------------

class ScrollView : public ControlView {
 public:
  ScrollView(QtDesktop& desk, VScrollBar& scrollBar) : ControlView(desk, scrollBar) {
    auto* w = new QScrollBar(Qt::Vertical);
    // Arrows, pages, the wheel and the dragged thumb all come here, before Qt
    // takes the new position; the model answers with its Value.
    QObject::connect(w, &QScrollBar::actionTriggered, &context_, [this, w](int) {
      const int pos = w->sliderPosition();
      const bool released = !w->isSliderDown();
      if (fromWidget([this, pos, released] { input::scroll(bar(), pos, released); })) resync();
    });
    QObject::connect(w, &QScrollBar::sliderReleased, &context_, [this, w] {
      const int pos = w->sliderPosition();
      if (fromWidget([this, pos] { input::scroll(bar(), pos, true); })) resync();
    });
    place(w);
  }

 protected:
  VScrollBar& bar() const { return static_cast<VScrollBar&>(element_); }
  void resync() {
    if (!widget_) return;
    syncing_ = true;
    update(What::Value);
    syncing_ = false;
  }
  void update(What what) override {
    ControlView::update(what);
    if (what != What::Value) return;
    auto* w = static_cast<QScrollBar*>(widget_.data());
    const VScrollBar& b = bar();
    const bool inverted = b.Min() > b.Max();
    w->setInvertedAppearance(inverted);
    w->setInvertedControls(inverted);
    w->setRange(std::min(b.Min(), b.Max()), std::max(b.Min(), b.Max()));
    w->setSingleStep(b.SmallChange());
    w->setPageStep(b.LargeChange());
    w->setValue(b.Value());
  }
};

}  // namespace

bool comboOpensList(ElementView& view, int qtKey, Qt::KeyboardModifiers modifiers) {
  auto* combo = dynamic_cast<ComboView*>(&view);
  if (!combo || !combo->opensList(qtKey, modifiers)) return false;
  combo->openList();
  return true;
}

ListKey comboListKey(ElementView& view, QWidget* target, const QKeyEvent* event) {
  auto* combo = dynamic_cast<ComboView*>(&view);
  return combo ? combo->listKey(target, event, event->type() == QEvent::KeyPress) : ListKey::List;
}

std::unique_ptr<ElementView> makeControlView(QtDesktop& desk, Control& c) {
  if (auto* x = dynamic_cast<TextBox*>(&c)) return std::make_unique<TextView>(desk, *x);
  if (auto* x = dynamic_cast<ComboBox*>(&c)) return std::make_unique<ComboView>(desk, *x);
  if (auto* x = dynamic_cast<ListBox*>(&c)) return std::make_unique<ListView>(desk, *x);
  if (auto* x = dynamic_cast<Label*>(&c)) return std::make_unique<LabelView>(desk, *x);
  if (auto* x = dynamic_cast<Frame*>(&c)) return std::make_unique<FrameView>(desk, *x);
  if (auto* x = dynamic_cast<CommandButton*>(&c)) return std::make_unique<ButtonView>(desk, *x);
  if (auto* x = dynamic_cast<CheckBox*>(&c)) return std::make_unique<CheckView>(desk, *x);
  if (auto* x = dynamic_cast<OptionButton*>(&c)) return std::make_unique<OptionView>(desk, *x);
  if (auto* x = dynamic_cast<VScrollBar*>(&c)) return std::make_unique<ScrollView>(desk, *x);
  if (auto* x = dynamic_cast<PictureBox*>(&c)) return std::make_unique<PictureView>(desk, *x);
  if (auto* x = dynamic_cast<ImageControl*>(&c)) return std::make_unique<ImageView>(desk, *x);
  if (auto* x = dynamic_cast<LineControl*>(&c)) return std::make_unique<LineView>(desk, *x);
  return nullptr;  // a timer: the desktop counts for it, nothing to show
}

}  // namespace desktop
