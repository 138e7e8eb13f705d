#pragma once
// Control arrays: Option1(0) .. Option1(7) with one set of handlers that
// receive the Index. Indexes may have gaps; a missing index is a FormsError.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "forms/Control.h"

namespace forms {

template <class T>
class ControlArray {
 public:
  ControlArray() = default;
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  // Creates element `index` (FormsError when it exists); place it with
  // create() as any control: Option1.Add(0).create(Picture1, ...).
  T& Add(int index) {
    if (items_.count(index)) throw FormsError("control array element " + std::to_string(index) + " already exists");
    auto& slot = items_[index];
    slot = std::make_unique<T>();
    T& c = *slot;
    c.index_ = index;
    wire(c, index);
    return c;
  }
  // Destroys element `index` (VB's Unload of an element).
  void Remove(int index) { items_.erase(find(index)); }

  T& operator[](int index) { return *find(index)->second; }
  const T& operator[](int index) const { return *find(index)->second; }
  bool exists(int index) const { return items_.count(index) != 0; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Lowest and highest index; FormsError for an empty array.
  int LBound() const { return first().first; }
  int UBound() const { return last().first; }

  // Iteration over the existing elements in index order.
  class iterator {
   public:
    using Inner = typename std::map<int, std::unique_ptr<T>>::const_iterator;
    explicit iterator(Inner it) : it_(it) {}
    T& operator*() const { return *it_->second; }
    T* operator->() const { return it_->second.get(); }
    iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator==(const iterator& o) const { return it_ == o.it_; }

   private:
    Inner it_;
  };
  iterator begin() const { return iterator(items_.begin()); }
  iterator end() const { return iterator(items_.end()); }

  // The handlers of every element, with the element's Index first.
  std::function<void(int Index)> Click;
  std::function<void(int Index)> DblClick;
  std::function<void(int Index)> Change;
  std::function<void(int Index)> Scroll;
  std::function<void(int Index)> GotFocus;
  std::function<void(int Index)> LostFocus;
  std::function<void(int Index, int& KeyCode, int Shift)> KeyDown;
  std::function<void(int Index, int& KeyCode, int Shift)> KeyUp;
  std::function<void(int Index, int& KeyAscii)> KeyPress;
  std::function<void(int Index, int Button, int Shift, float X, float Y)> MouseDown;
  std::function<void(int Index, int Button, int Shift, float X, float Y)> MouseMove;
  std::function<void(int Index, int Button, int Shift, float X, float Y)> MouseUp;

 private:
  using Map = std::map<int, std::unique_ptr<T>>;
  typename Map::const_iterator find(int index) const {
    auto it = items_.find(index);
    if (it == items_.end()) throw FormsError("control array element " + std::to_string(index) + " does not exist");
    return it;
  }
  const typename Map::value_type& first() const {
    if (items_.empty()) throw FormsError("empty control array");
    return *items_.begin();
  }
  const typename Map::value_type& last() const {
    if (items_.empty()) throw FormsError("empty control array");
    return *items_.rbegin();
  }

  // Every element event forwards to the array's handler of the same name.
  void wire(T& c, int i) {
    c.Click = [this, i] { detail::raise(Click, i); };
    c.DblClick = [this, i] { detail::raise(DblClick, i); };
    c.GotFocus = [this, i] { detail::raise(GotFocus, i); };
    c.LostFocus = [this, i] { detail::raise(LostFocus, i); };
    c.KeyDown = [this, i](int& k, int s) { detail::raise(KeyDown, i, k, s); };
    c.KeyUp = [this, i](int& k, int s) { detail::raise(KeyUp, i, k, s); };
    c.KeyPress = [this, i](int& k) { detail::raise(KeyPress, i, k); };
    c.MouseDown = [this, i](int b, int s, float x, float y) { detail::raise(MouseDown, i, b, s, x, y); };
    c.MouseMove = [this, i](int b, int s, float x, float y) { detail::raise(MouseMove, i, b, s, x, y); };
    c.MouseUp = [this, i](int b, int s, float x, float y) { detail::raise(MouseUp, i, b, s, x, y); };
    if constexpr (requires { c.Change; }) c.Change = [this, i] { detail::raise(Change, i); };
    if constexpr (requires { c.Scroll; }) c.Scroll = [this, i] { detail::raise(Scroll, i); };
  }

  Map items_;
};

}  // namespace forms
