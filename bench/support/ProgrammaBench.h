#pragma once
// The program for a benchmark of windows: a private program folder, the
// application object on the offscreen Qt screen (`schermo`) or, to tell the
// views' share, on the headless desktop of the tests; user actions delivered
// as the screen delivers them, and the drawing they cause waited for.
//
//   quotara::bench::ProgrammaBench p(true);
//   platform::writeLinesAtomic(p.cartella().file("tasi.dat"), righe);
//   p.consegna([&] { p.app().form<shell::Principale>().Show(); });
//   p.disegna();
#include <QCoreApplication>
#include <functional>
#include <memory>

#include "desktop/QtDesktop.h"
#include "forms/HeadlessDesktop.h"
#include "frame/Principale.h"
#include "kit/Applicazione.h"
#include "support/ArchivioBench.h"
#include "support/QtBench.h"

namespace quotara::bench {

class ProgrammaBench {
 public:
  explicit ProgrammaBench(bool schermo) {
    if (schermo) {
      QtOffscreen();
      auto qt = std::make_unique<desktop::QtDesktop>();
      qt_ = qt.get();
      desk_ = std::move(qt);
    } else {
      desk_ = std::make_unique<forms::HeadlessDesktop>();
    }
    application_ = std::make_unique<shell::Applicazione>(*desk_);
    shell::CollegaCornice(*application_);
    if (qt_) qt_->attach(*application_);
  }
  ~ProgrammaBench() {
    application_.reset();
    desk_.reset();
  }
  ProgrammaBench(const ProgrammaBench&) = delete;
  ProgrammaBench& operator=(const ProgrammaBench&) = delete;

  const CartellaBench& cartella() const { return cartella_; }
  shell::Applicazione& app() { return *application_; }
  // The Qt desktop; nullptr on the headless one.
  desktop::QtDesktop* schermo() const { return qt_; }

  // Runs `azione` as the screen runs a user's input.
  void consegna(const std::function<void()>& azione) {
    if (qt_) return qt_->deliver(azione);
    forms::Application::Dispatch d;
    azione();
  }
  // Lets the views draw what the last action changed.
  void disegna() const {
    if (qt_) QCoreApplication::processEvents();
  }

 private:
  const CartellaBench cartella_;
  std::unique_ptr<forms::Desktop> desk_;
  desktop::QtDesktop* qt_ = nullptr;
  std::unique_ptr<shell::Applicazione> application_;
};

}  // namespace quotara::bench
