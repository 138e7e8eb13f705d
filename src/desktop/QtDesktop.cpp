#include "desktop/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QAbstractButton>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include "desktop/Keys.h"
#include "desktop/ResourceImages.h"
#include "desktop/QtText.h"
#include "desktop/Views.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "forms/UserInput.h"
#include "platform/Documents.h"

namespace desktop {

using namespace forms;

namespace {

QWidget* dialogParent() { return QApplication::activeWindow(); }

QString titleOr(const std::string& title) {
  return title.empty() ? QGuiApplication::applicationDisplayName() : qs(title);
}

// "Archivi (*.dat)|*.dat|Tutti (*.*)|*.*" in Qt's form, "Archivi (*.dat);;Tutti (*)".
QString qtFilter(const std::string& vbFilter) {
  const QStringList parts = qs(vbFilter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    if (description.endsWith(')') && description.contains('('))
      description = description.left(description.lastIndexOf('(')).trimmed();
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    patterns.replace("*.*", "*");
    out << description + " (" + patterns + ")";
  }
  return out.join(";;");
}

Form& formOf(Element& e) {
  if (auto* f = dynamic_cast<Form*>(&e)) return *f;
  return static_cast<Control&>(e).form();
}

Form* topOf(Form* f) { return f && f->mdiFrame() ? f->mdiFrame() : f; }

// A dialog's frame: its caption and close box, no minimise or maximise.
void dialogFrame(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint);
}

const QLocale& italian() {
  static const QLocale locale(QLocale::Italian, QLocale::Italy);
  return locale;
}

// The file dialogs' dates as an Italian reader writes them (10/12/26 16:09),
// whatever the system's language: the dialog's own model writes them in the
// format of the system's locale.
class ItalianDates : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  static constexpr int kDateColumn = 3;
  QVariant data(const QModelIndex& index, int role) const override {
    if (index.column() == kDateColumn && role == Qt::DisplayRole)
      if (auto* files = qobject_cast<QFileSystemModel*>(sourceModel()))
        return italian().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
  }
};

// Qt's own folder or file dialog (the same on every desktop), in Italian,
// opened in `initialDir`: the chosen path, nothing when cancelled.
std::optional<std::string> chooseWith(QFileDialog& dialog, const QString& initialDir) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setLocale(italian());
  dialog.setProxyModel(new ItalianDates(&dialog));
  if (!initialDir.isEmpty()) dialog.setDirectory(initialDir);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

struct QtDesktop::ModalLoop {
  explicit ModalLoop(const Form* f) : form(f) {}
  const Form* form;
  QEventLoop loop;
  bool done = false;
};

// --- life --------------------------------------------------------------------------

QtDesktop::QtDesktop() {
  if (!qApp) throw FormsError("the Qt desktop needs a QApplication");
  clock_.start();
  openers_->desktop = this;
  forms::setFontEngine(&fontEngine_);
  QApplication::setQuitOnLastWindowClosed(false);  // the windows decide when the program ends
  qApp->installEventFilter(this);
  // The program speaks Italian whatever the system's language: Qt's folder
  // and file dialogs and its standard buttons too (the program's own
  // captions stay as they are). Without the translations Qt speaks English.
  if (qtTexts_.load("qtbase_it", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexts_);
  // Every text of Qt's own (message boxes, dialogs) without kerning, as the
  // windows' fonts (qtFont): the spaces between words stay visible.
  QFont font = QApplication::font();
  font.setKerning(false);
  QApplication::setFont(font);
}

QtDesktop::~QtDesktop() {
  {
    std::lock_guard lock(openers_->mutex);
    openers_->desktop = nullptr;
  }
  qApp->removeEventFilter(this);
  QCoreApplication::removeTranslator(&qtTexts_);
  forms::setFontEngine(nullptr);
  try {
    elementsAlive_ = app_ && &forms::app() == app_;
  } catch (const FormsError&) {
    elementsAlive_ = false;
  }
  if (elementsAlive_) app_->setObserver(nullptr);
  // Every list lets go of its items first: a window hidden on the way moves
  // the focus, and a combo losing it looks through its items.
  for (auto& [element, view] : views_) view->detach();
  views_.clear();
  for (auto& [timer, qt] : timers_) delete qt;
}

void QtDesktop::attach(Application& app) {
  app_ = &app;
  app.setObserver(this);
}

int QtDesktop::exec() {
  if (quitting_ || loaded_.empty()) return 0;
  running_ = true;
  const int rc = QApplication::exec();
  running_ = false;
  return rc;
}

void QtDesktop::quitWhenNothingLoaded() {
  if (!running_ || !loaded_.empty()) return;
  QTimer::singleShot(0, this, [this] {
    if (running_ && loaded_.empty() && modalLoops_.empty()) QCoreApplication::exit(0);
  });
}

// --- the forms and their views -------------------------------------------------

void QtDesktop::formLoaded(Form& form) {
  loaded_.insert(&form);
  views_[&form] = std::make_unique<FormView>(*this, form);
  for (Control* c : form.controls()) makeView(*c);
}

void QtDesktop::formUnloaded(Form& form) {
  const auto& controls = form.controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) dropView(**it);
  dropView(form);
  loaded_.erase(&form);
  checkModalLoops();
  quitWhenNothingLoaded();
}

void QtDesktop::controlAdded(Control& control) { makeView(control); }

void QtDesktop::controlRemoved(Control& control) { dropView(control); }

ElementView* QtDesktop::makeView(Control& control) {
  if (auto it = views_.find(&control); it != views_.end()) return it->second.get();
  if (Control* container = control.containerControl()) makeView(*container);
  std::unique_ptr<ElementView> view = makeControlView(*this, control);
  if (!view) return nullptr;
  return (views_[&control] = std::move(view)).get();
}

void QtDesktop::dropView(Element& element) {
  auto it = views_.find(&element);
  if (it == views_.end()) return;
  std::unique_ptr<ElementView> view = std::move(it->second);
  views_.erase(it);
}

ElementView* QtDesktop::containerView(const Control& control) const {
  const Element* container = control.containerControl();
  if (!container) container = &control.form();
  auto it = views_.find(container);
  return it != views_.end() ? it->second.get() : nullptr;
}

FormView* QtDesktop::formView(const Form& form) const {
  auto it = views_.find(&form);
  return it != views_.end() ? static_cast<FormView*>(it->second.get()) : nullptr;
}

QWidget* QtDesktop::widgetOf(const Element& element) const {
  auto it = views_.find(&element);
  return it != views_.end() ? it->second->widget() : nullptr;
}

ElementView* QtDesktop::viewAt(QWidget* w) const {
  for (QWidget* p = w; p; p = p->isWindow() ? nullptr : p->parentWidget())
    if (auto it = byWidget_.find(p); it != byWidget_.end()) return it->second;
  return nullptr;
}

// --- input ---------------------------------------------------------------------------

void QtDesktop::deliver(const std::function<void()>& action) {
  if (!app_) return;
  try {
    Application::Dispatch d;
    action();
    app_->processSentKeys();
  } catch (const std::exception& e) {
    // An error in the windows' code: shown, and the program goes on.
    QMessageBox::critical(dialogParent(), QGuiApplication::applicationDisplayName(), QString::fromUtf8(e.what()));
  }
}

bool QtDesktop::routeKey(QEvent* event, Form& form) {
  std::vector<VbKey> keys;
  if (event->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(event);
    if (Control* c = app_->focused())
      if (auto it = views_.find(c); it != views_.end() && comboOpensList(*it->second, ke->key(), ke->modifiers()))
        return true;
    keys.push_back(vbKey(ke->key(), ke->modifiers(), ke->text()));
  } else {  // a character from an input method or a compose sequence
    for (char32_t ch : static_cast<QInputMethodEvent*>(event)->commitString().toUcs4())
      keys.push_back(vbKeyForChar(ch));
  }
  for (const VbKey& k : keys) {
    Control* c = app_->focused();
    if (!k.keyCode && !k.refused) continue;
    if (!c) {
      // A frame showing no page still takes its own keys.
      Form* frame = input::frameOf(&form);
      if (frame && !k.refused && isLoaded(*frame) && app_->acceptsInput(*frame))
        deliver([&] { input::frameKey(*frame, k.keyCode, k.shift); });
      continue;
    }
    if (!app_->acceptsInput(c->form()) || !c->shownInForm() || !c->enabledInForm()) continue;
    deliver([&] {
      if (k.refused)
        input::refusedChar();
      else
        input::key(k.keyCode, k.shift, k.keyAscii);
    });
  }
  return true;
}

bool QtDesktop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
      break;
    default:
      return false;
  }
  if (!app_ || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  ElementView* view = viewAt(widget);
  if (!view && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride))
    // The open list of the focused combo: typing still goes into the box,
    // and Enter is not Qt's pick (it would answer the shortcut check).
    if (Control* c = app_->focused())
      if (auto it = views_.find(c); it != views_.end()) {
        const ListKey use = comboListKey(*it->second, widget, static_cast<QKeyEvent*>(event));
        if (use != ListKey::List) {
          if (event->type() == QEvent::ShortcutOverride)
            event->accept();
          else if (use == ListKey::Box && app_->acceptsInput(c->form()))
            routeKey(event, c->form());
          return true;
        }
      }
  if (!view) return false;
  Form& form = formOf(view->element());
  if (!isLoaded(form) || !app_->acceptsInput(form)) return true;
  if (auto* c = dynamic_cast<Control*>(&view->element()); c && (!c->shownInForm() || !c->enabledInForm())) return true;

  switch (event->type()) {
    case QEvent::ShortcutOverride:
      event->accept();  // Alt + letter goes to the windows as a key, not to Qt's mnemonics
      return true;
    case QEvent::KeyPress:
    case QEvent::InputMethod:
      return routeKey(event, form);
    case QEvent::KeyRelease:  // KeyUp was raised with the press
      return true;
    case QEvent::ContextMenu:
      // The right button or the menu key over a box: its edit menu, from
      // the model, whose items run the steps of their keys.
      if (auto* c = dynamic_cast<EditControl*>(&view->element())) deliver([c] { input::contextMenu(*c); });
      return true;
    case QEvent::Wheel:
      return view->wheelBlocked();
    default:
      break;
  }
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    // A click into another window makes it the active one first.
    if (topOf(app_->activeForm()) != topOf(&form)) {
      deliver([&] { app_->activate(form); });
      view = viewAt(widget);
      if (!view || !app_->acceptsInput(form)) return true;
    }
  }
  return view->mouseEvent(widget, static_cast<QMouseEvent*>(event));
}

// --- modal loops and the end -------------------------------------------------------

void QtDesktop::runModal(Form& form) {
  if (FormView* view = formView(form); view && !form.mdiFrame()) {
    QWidget* w = view->widget();
    w->hide();  // modality takes effect when the window is shown
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    if (form.BorderStyle() != 0) w->activateWindow();
  }
  ModalLoop loop{&form};
  modalLoops_.push_back(&loop);
  checkModalLoops();
  if (!loop.done) loop.loop.exec();
  std::erase(modalLoops_, &loop);
  if (isLoaded(form))
    if (FormView* view = formView(form)) view->widget()->setWindowModality(Qt::NonModal);
  quitWhenNothingLoaded();
}

void QtDesktop::checkModalLoops() {
  for (ModalLoop* l : modalLoops_) {
    if (l->done) continue;
    if (quitting_ || !isLoaded(*l->form) || !l->form->Visible()) {
      l->done = true;
      l->loop.exit();
    }
  }
}

void QtDesktop::quit() {
  quitting_ = true;
  checkModalLoops();
  if (running_) QCoreApplication::exit(0);
}

void QtDesktop::watchReadable(int fd, std::function<void()> ready) {
  auto* notifier = new QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this, ready = std::move(ready)] { deliver(ready); });
}

// --- dialogs -----------------------------------------------------------------------

int QtDesktop::MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) {
  QMessageBox::Icon qicon = QMessageBox::NoIcon;
  switch (icon) {
    case vbInformation:
      qicon = QMessageBox::Information;
      break;
    case vbExclamation:
      qicon = QMessageBox::Warning;
      break;
    case vbQuestion:
      qicon = QMessageBox::Question;
      break;
    case vbCritical:
      qicon = QMessageBox::Critical;
      break;
    default:
      break;
  }
  QMessageBox box(qicon, titleOr(title), lines(prompt), QMessageBox::NoButton, dialogParent());
  dialogFrame(box);
  box.setTextFormat(Qt::PlainText);
  std::vector<std::pair<QAbstractButton*, int>> answers;
  if (buttons == vbYesNo) {
    QPushButton* yes = box.addButton("Sì", QMessageBox::YesRole);
    QPushButton* no = box.addButton("No", QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    answers = {{yes, vbYes}, {no, vbNo}};
  } else if (buttons == vbOKCancel) {
    QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton("Annulla", QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    answers = {{ok, vbOK}, {cancel, vbCancel}};
  } else {
    QPushButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    answers = {{ok, vbOK}};
  }
  box.exec();
  for (auto [button, answer] : answers)
    if (box.clickedButton() == button) return answer;
  return answers.back().second;  // closed otherwise: the safe answer (No, Cancel, OK)
}

std::string QtDesktop::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  QInputDialog dialog(dialogParent());
  dialogFrame(dialog);
  dialog.setWindowTitle(titleOr(title));
  dialog.setLabelText(lines(prompt));
  dialog.setTextValue(qs(defaultText));
  dialog.setOkButtonText("OK");
  dialog.setCancelButtonText("Annulla");
  // Plain buttons, as in the message boxes (the desktop's theme may give
  // the standard buttons pictures).
  for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) b->setIcon(QIcon());
  return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

std::optional<std::string> QtDesktop::BrowseForFolder(const std::string& title, const std::string& initialDir) {
  QFileDialog dialog(dialogParent(), qs(title));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  return chooseWith(dialog, qs(initialDir));
}

std::optional<std::string> QtDesktop::GetOpenFileName(const std::string& title, const std::string& filter,
                                                      const std::string& initialDir) {
  QFileDialog dialog(dialogParent(), qs(title), QString(), qtFilter(filter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return chooseWith(dialog, qs(initialDir));
}

void QtDesktop::PopupMenu(Menu& menu) {
  QMenu qmenu;
  std::map<QAction*, MenuItem*> items;
  for (const auto& item : menu.items()) {
    if (!item->Visible()) continue;
    QAction* a = qmenu.addAction(qs(item->Caption()));
    a->setEnabled(item->Enabled());
    a->setCheckable(item->Checked());
    a->setChecked(item->Checked());
    items[a] = item.get();
  }
  QAction* chosen = qmenu.exec(QCursor::pos());
  if (auto it = items.find(chosen); it != items.end()) detail::raise(it->second->Click);
}

// --- services --------------------------------------------------------------------

std::string QtDesktop::clipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }
void QtDesktop::setClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(qs(text)); }
void QtDesktop::clearClipboard() { QGuiApplication::clipboard()->clear(); }
void QtDesktop::Beep() { QApplication::beep(); }

void QtDesktop::flashControl(const Control& control) {
  auto it = views_.find(&control);
  if (it == views_.end()) return;
  if (auto* view = dynamic_cast<ControlView*>(it->second.get())) view->flash();
}

void QtDesktop::setMousePointer(int pointer) {
  pointer_ = pointer;
  if (pointer == vbDefault) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    return;
  }
  const QCursor cursor = pointerCursor(pointer);
  if (QGuiApplication::overrideCursor())
    QGuiApplication::changeOverrideCursor(cursor);
  else
    QGuiApplication::setOverrideCursor(cursor);
}

LocalTime QtDesktop::now() const {
  const QDateTime t = QDateTime::currentDateTime();
  return LocalTime(std::chrono::milliseconds(t.toMSecsSinceEpoch() + t.offsetFromUtc() * int64_t{1000}));
}

void QtDesktop::timerChanged(TimerControl& timer) {
  QTimer*& qt = timers_[&timer];
  if (!qt) {
    qt = new QTimer(this);
    TimerControl* t = &timer;
    connect(qt, &QTimer::timeout, this, [this, t] {
      if (firing_.count(t)) return;
      firing_.insert(t);
      deliver([t] { app().fireTimer(*t); });
      firing_.erase(t);
    });
  }
  if (timer.running())
    qt->start(timer.Interval());
  else
    qt->stop();
}

void QtDesktop::timerDestroyed(TimerControl& timer) {
  if (auto it = timers_.find(&timer); it != timers_.end()) {
    delete it->second;
    timers_.erase(it);
  }
  firing_.erase(&timer);
}

int QtDesktop::screenWidthPx() const { return QGuiApplication::primaryScreen()->geometry().width(); }
int QtDesktop::screenHeightPx() const { return QGuiApplication::primaryScreen()->geometry().height(); }

Point QtDesktop::cursorPos() const {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

Color QtDesktop::sysColor(int index) const {
  const QPalette pal = QApplication::palette();
  QColor c;
  switch (index) {
    case 5:
      c = pal.color(QPalette::Base);
      break;  // window background
    case 8:
      c = pal.color(QPalette::Text);
      break;  // window text
    case 13:
      c = pal.color(QPalette::Highlight);
      break;  // selection
    case 14:
      c = pal.color(QPalette::HighlightedText);
      break;
    case 16:
      c = pal.color(QPalette::Dark);
      break;  // button shadow
    case 17:
      c = pal.color(QPalette::Disabled, QPalette::ButtonText);
      break;  // grey text
    case 7:
    case 18:
      c = pal.color(QPalette::ButtonText);
      break;  // menu and button text
    case 20:
      c = pal.color(QPalette::Light);
      break;  // 3D highlight
    case 21:
      c = pal.color(QPalette::Shadow);
      break;  // 3D dark shadow
    case 22:
      c = pal.color(QPalette::Midlight);
      break;  // 3D light
    case 23:
      c = pal.color(QPalette::ToolTipText);
      break;
    case 24:
      c = pal.color(QPalette::ToolTipBase);
      break;
    case 1:
    case 12:
      c = pal.color(QPalette::Dark);
      break;  // desktop, workspace
    default:
      c = pal.color(QPalette::Button);
      break;  // button face and the rest
  }
  return RGB(c.red(), c.green(), c.blue());
}

void QtDesktop::openDocument(const std::string& path, std::function<void()> failed) {
  if (!failed) {
    platform::openDocument(path);
    return;
  }
  // The opener is reaped on a thread of its own, so a viewer that keeps running
  // holds nothing up; its failure reaches the windows through the event loop.
  platform::openDocument(path, [mailbox = openers_, failed = std::move(failed)](bool opened) {
    if (opened) return;
    std::lock_guard lock(mailbox->mutex);
    if (QtDesktop* desk = mailbox->desktop)
      QMetaObject::invokeMethod(
          desk, [desk, failed] { desk->deliver(failed); }, Qt::QueuedConnection);
  });
}

void QtDesktop::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (app_) app_->processSentKeys();
}

void QtDesktop::Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(std::max(ms, 0))); }

// --- the program's loop ------------------------------------------------------------

int runQtDesktop(int argc, char** argv, const std::function<std::unique_ptr<Application>(Desktop&)>& makeApp,
                 const std::function<void(Application&)>& start) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Quotara");
  QtDesktop desk;
  std::unique_ptr<Application> app = makeApp(desk);
  desk.attach(*app);
  desk.deliver([&] { start(*app); });
  const int rc = desk.exec();
  app.reset();
  return rc;
}

}  // namespace desktop
