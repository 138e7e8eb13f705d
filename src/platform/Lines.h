#pragma once
// The one way a text is cut into lines: CR LF, LF and CR each end a line, and
// the line end of the last line adds no empty line. Views into the text.
#include <cstring>
#include <string_view>

namespace platform {

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // The next line, without its line end, in `line`; false once the text is
  // read to its end.
  bool next(std::string_view& line) {
    const size_t size = text_.size();
    if (start_ >= size) return false;
    const char* p = text_.data();
    // A line ends at the first CR or LF: memchr finds the next LF, the common
    // end, far faster than a search for either, and a CR before it ends the
    // line there. The LF found is kept while the lines before it are read, so
    // a text of CR alone is searched for LF once, not once a line.
    if (nextLf_ < start_ || nextLf_ == kUnknown) {
      const void* lf = std::memchr(p + start_, '\n', size - start_);
      nextLf_ = lf ? static_cast<size_t>(static_cast<const char*>(lf) - p) : size;
    }
    const void* cr = std::memchr(p + start_, '\r', nextLf_ - start_);
    const size_t end = cr ? static_cast<size_t>(static_cast<const char*>(cr) - p) : nextLf_;
    line = text_.substr(start_, end - start_);
    if (end == size)
      start_ = size;
    else
      start_ = end + (p[end] == '\r' && end + 1 < size && p[end + 1] == '\n' ? 2 : 1);
    return true;
  }

 private:
  static constexpr size_t kUnknown = static_cast<size_t>(-1);
  std::string_view text_;
  size_t start_ = 0;
  size_t nextLf_ = kUnknown;
};

}  // namespace platform
