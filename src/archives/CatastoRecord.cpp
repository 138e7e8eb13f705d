#include "archives/CatastoRecord.h"

namespace archives {

const CatastoRecord::Tabella& CatastoRecord::Campi() {
  static const Tabella campi = {{
      {&CatastoRecord::Nome, "Nome"},
      {&CatastoRecord::Comune, "Comune"},
      {&CatastoRecord::Ubicazione, "Ubicazione"},
      {&CatastoRecord::Tipologia, "Tipologia"},
      {&CatastoRecord::Partita, "Partita"},
      {&CatastoRecord::Sezione, "Sezione"},
      {&CatastoRecord::Foglio, "Foglio"},
      {&CatastoRecord::Numero, "Numero"},
      {&CatastoRecord::Subalterno, "Subalterno"},
      {&CatastoRecord::Categoria, "Categoria"},
      {&CatastoRecord::Classe, "Classe"},
      {&CatastoRecord::Vani, "Vani"},
      {&CatastoRecord::Metri, "Metri"},
      {&CatastoRecord::Possesso, "Possesso"},
      {&CatastoRecord::RenditaCatastale, "RenditaCatastale"},
      {&CatastoRecord::RedditoAgrario, "RedditoAgrario"},
      {&CatastoRecord::RedditoDominicale, "RedditoDominicale"},
      {&CatastoRecord::Annotazioni, "Annotazioni"},
  }};
  return campi;
}

int CatastoRecord::Tipo() const {
  if (Tipologia.empty()) return 0;
  return Tipologia.size() == 1 && Tipologia[0] >= '0' && Tipologia[0] <= '2' ? Tipologia[0] - '0' : -1;
}

}  // namespace archives
