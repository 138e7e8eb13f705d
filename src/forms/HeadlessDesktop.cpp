#include "forms/HeadlessDesktop.h"

#include <poll.h>

#include <algorithm>

#include "forms/Application.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "platform/Documents.h"

namespace forms {

namespace {

std::string describe(const std::string& prompt, const std::string& title) {
  return "\"" + prompt + "\" (title \"" + title + "\")";
}

}  // namespace

HeadlessDesktop::HeadlessDesktop()
    : now_(std::chrono::local_days(std::chrono::year(2026) / 12 / 9) + std::chrono::hours(10)) {
  // The classic Windows scheme.
  sysColors_ = {{5, RGB(255, 255, 255)},  {8, RGB(0, 0, 0)},  {15, RGB(192, 192, 192)},
                {16, RGB(128, 128, 128)}, {18, RGB(0, 0, 0)}, {20, RGB(255, 255, 255)}};
}

template <class T>
T HeadlessDesktop::next(std::deque<T>& queue, const std::string& what) {
  if (queue.empty()) throw UnexpectedDialog("unexpected " + what);
  T answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

void HeadlessDesktop::expectMsgBox(int answer, MsgBoxCheck check) {
  msgBoxAnswers_.emplace_back(answer, std::move(check));
}
void HeadlessDesktop::expectInputBox(std::string answer) { inputAnswers_.push_back(std::move(answer)); }
void HeadlessDesktop::expectFolder(std::optional<std::string> folder) { folderAnswers_.push_back(std::move(folder)); }
void HeadlessDesktop::expectOpenFile(std::optional<std::string> file) { fileAnswers_.push_back(std::move(file)); }
void HeadlessDesktop::expectPopupMenu(std::string caption) { menuAnswers_.push_back(std::move(caption)); }

size_t HeadlessDesktop::pendingAnswers() const {
  return msgBoxAnswers_.size() + inputAnswers_.size() + folderAnswers_.size() + fileAnswers_.size() +
         menuAnswers_.size();
}

void HeadlessDesktop::script(std::function<void()> action) { script_.push_back(std::move(action)); }

int HeadlessDesktop::MsgBox(const std::string& prompt, int buttons, int icon, const std::string& title) {
  auto [answer, check] = next(msgBoxAnswers_, "message box " + describe(prompt, title));
  auto mismatch = [&](const std::string& what, const std::string& expected) {
    throw UnexpectedDialog("message box " + describe(prompt, title) + ": expected " + what + " " + expected);
  };
  if (check.prompt && *check.prompt != prompt) mismatch("text", "\"" + *check.prompt + "\"");
  if (check.title && *check.title != title) mismatch("title", "\"" + *check.title + "\"");
  if (check.buttons && *check.buttons != buttons) mismatch("buttons", std::to_string(*check.buttons));
  if (check.icon && *check.icon != icon) mismatch("icon", std::to_string(*check.icon));
  const bool yesNo = buttons == vbYesNo;
  if (yesNo ? answer != vbYes && answer != vbNo : answer != vbOK && !(buttons == vbOKCancel && answer == vbCancel))
    throw UnexpectedDialog("message box " + describe(prompt, title) + ": the queued answer " + std::to_string(answer) +
                           " is not one of its buttons");
  shown_.push_back({prompt, buttons, icon, title, answer});
  return answer;
}

std::string HeadlessDesktop::InputBox(const std::string& prompt, const std::string& title, const std::string&) {
  return next(inputAnswers_, "input box " + describe(prompt, title));
}

std::optional<std::string> HeadlessDesktop::BrowseForFolder(const std::string& title, const std::string& initialDir) {
  dialogFolders_.push_back(initialDir);
  return next(folderAnswers_, "folder dialog \"" + title + "\"");
}

std::optional<std::string> HeadlessDesktop::GetOpenFileName(const std::string& title, const std::string&,
                                                            const std::string& initialDir) {
  dialogFolders_.push_back(initialDir);
  return next(fileAnswers_, "file dialog \"" + title + "\"");
}

void HeadlessDesktop::PopupMenu(Menu& menu) {
  lastMenu_.clear();
  for (const auto& item : menu.items())
    if (item->Visible()) lastMenu_.emplace_back(item->Caption(), item->Enabled());
  const std::string caption = next(menuAnswers_, "pop-up menu");
  if (caption.empty()) return;
  MenuItem* item = menu.find(caption);
  if (!item) throw UnexpectedDialog("the pop-up menu has no enabled item \"" + caption + "\"");
  detail::raise(item->Click);
}

void HeadlessDesktop::setMousePointer(int pointer) {
  pointer_ = pointer;
  pointers_.push_back(pointer);
}

void HeadlessDesktop::setScreenSize(int widthPx, int heightPx) {
  screenW_ = widthPx;
  screenH_ = heightPx;
}

Color HeadlessDesktop::sysColor(int index) const {
  auto it = sysColors_.find(index);
  return it != sysColors_.end() ? it->second : RGB(192, 192, 192);
}

void HeadlessDesktop::timerChanged(TimerControl& timer) {
  std::erase(timers_, &timer);
  if (!timer.running()) return;
  timer.dueMs = tick_ + timer.Interval();
  timers_.push_back(&timer);
}

void HeadlessDesktop::timerDestroyed(TimerControl& timer) { std::erase(timers_, &timer); }

void HeadlessDesktop::advance(int64_t ms) {
  const int64_t end = tick_ + ms;
  for (;;) {
    auto due = std::min_element(timers_.begin(), timers_.end(),
                                [](TimerControl* a, TimerControl* b) { return a->dueMs < b->dueMs; });
    if (due == timers_.end() || (*due)->dueMs > end) break;
    TimerControl& timer = **due;
    const int64_t at = std::max(tick_, timer.dueMs);
    now_ += std::chrono::milliseconds(at - tick_);
    tick_ = at;
    timer.dueMs = tick_ + timer.Interval();
    app().fireTimer(timer);
  }
  now_ += std::chrono::milliseconds(end - tick_);
  tick_ = end;
}

void HeadlessDesktop::DoEvents() {
  app().processSentKeys();
  advance(0);
  reportOpenerFailures();
  for (const auto& [fd, ready] : std::vector(watched_)) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) == 1 && (p.revents & POLLIN)) ready();
  }
}

void HeadlessDesktop::watchReadable(int fd, std::function<void()> ready) {
  watched_.emplace_back(fd, std::move(ready));
}

void HeadlessDesktop::openDocument(const std::string& path, std::function<void()> failed) {
  opened_.push_back(path);
  if (opening_ == Opening::RecordOnly || !failed) return;
  if (opening_ == Opening::Fail) {
    std::lock_guard lock(openers_->mutex);
    openers_->failed.push_back(std::move(failed));
    return;
  }
  {
    std::lock_guard lock(openers_->mutex);
    ++openers_->running;
  }
  platform::openDocument(path, [openers = openers_, failed = std::move(failed)](bool opened) {
    std::lock_guard lock(openers->mutex);
    --openers->running;
    if (!opened) openers->failed.push_back(failed);
    openers->ended.notify_all();
  });
}

void HeadlessDesktop::waitForOpeners() {
  {
    std::unique_lock lock(openers_->mutex);
    openers_->ended.wait_for(lock, std::chrono::seconds(10), [this] { return openers_->running == 0; });
  }
  reportOpenerFailures();
}

void HeadlessDesktop::reportOpenerFailures() {
  std::vector<std::function<void()>> failed;
  {
    std::lock_guard lock(openers_->mutex);
    failed.swap(openers_->failed);
  }
  for (auto& f : failed) {
    Application::Dispatch d;
    f();
  }
}

void HeadlessDesktop::Sleep(int ms) {
  tick_ += ms;
  now_ += std::chrono::milliseconds(ms);
}

void HeadlessDesktop::runModal(Form& form) {
  Application& a = app();
  while (form.isLoaded() && form.Visible() && !a.ended() && !quit_) {
    if (script_.empty())
      throw FormsError("the modal window \"" + form.Caption() + "\" is still open and no scripted action is left");
    std::function<void()> action = std::move(script_.front());
    script_.pop_front();
    Application::Dispatch d;
    action();
    reportOpenerFailures();
  }
}

}  // namespace forms
