#include "kit/Liste.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "kit/Applicazione.h"

namespace shell {

bool PresenteInCombo(std::string_view Valore, const forms::ComboBox& Casella) {
  const int n = Casella.ListCount();
  int i = 0;
  if (Casella.Sorted()) {
    // A sorted list keeps its items in case-insensitive order: only the run
    // of items equal to `Valore` but for case needs looking at.
    int hi = n;
    while (i < hi) {
      const int mid = i + (hi - i) / 2;
      if (forms::compareNoCase(Casella.List(mid), Valore) < 0) {
        i = mid + 1;
      } else {
        hi = mid;
      }
    }
    for (; i < n && forms::compareNoCase(Casella.List(i), Valore) == 0; ++i)
      if (Casella.List(i) == Valore) return true;
    return false;
  }
  for (; i < n; ++i)
    if (Casella.List(i) == Valore) return true;
  return false;
}

void OrdinaCombo(forms::ComboBox& Casella, int Inizio) {
  const int da = std::max(Inizio, 0);
  std::vector<std::string> voci;
  for (int i = da; i < Casella.ListCount(); ++i) voci.push_back(Casella.List(i));
  std::stable_sort(voci.begin(), voci.end(), std::greater<>());
  for (int i = 0; i < static_cast<int>(voci.size()); ++i)
    if (Casella.List(da + i) != voci[i]) Casella.setList(da + i, voci[i]);
}

void SvuotaRigheF24() {
  app().RigheF24.clear();
  app().ChiusuraF24.reset();
}

}  // namespace shell
