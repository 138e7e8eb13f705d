#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// Archive lines to look through, without copying them: views into the lines
// that the windows share (RigheCondivise, a list's texts), or a caller's own
// strings.
class VistaRighe {
 public:
  VistaRighe(std::span<const std::string_view> viste) : viste_(viste) {}
  VistaRighe(std::span<const std::string> testi) : testi_(testi) {}
  VistaRighe(const std::vector<std::string_view>& viste) : viste_(viste) {}
  VistaRighe(const std::vector<std::string>& testi) : testi_(testi) {}

  size_t size() const { return viste_.empty() ? testi_.size() : viste_.size(); }
  std::string_view operator[](size_t i) const { return viste_.empty() ? std::string_view(testi_[i]) : viste_[i]; }

  class Iteratore {
   public:
    Iteratore(const VistaRighe& righe, size_t i) : righe_(&righe), i_(i) {}
    std::string_view operator*() const { return (*righe_)[i_]; }
    Iteratore& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const Iteratore& altro) const { return i_ != altro.i_; }

   private:
    const VistaRighe* righe_;
    size_t i_;
  };
  Iteratore begin() const { return {*this, 0}; }
  Iteratore end() const { return {*this, size()}; }

 private:
  std::span<const std::string_view> viste_;
  std::span<const std::string> testi_;
};

}  // namespace shell
