#pragma once
// The lines of an archive file as the program last read or wrote them
// (RigheCondivise, FileArchivio): views into the decoded texts, which they
// keep alive. Plain data: the summaries and the totals read them without the
// list a window binds the file to.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct RigheArchivio {
  std::vector<std::shared_ptr<const std::string>> Testi;
  std::vector<std::string_view> Righe;
};

}  // namespace shell
