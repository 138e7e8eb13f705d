#include "archives/Categorie.h"

namespace archives {

const std::array<CategoriaCatastale, kNumeroCategorie>& CategorieCatastali() {
  static const std::array<CategoriaCatastale, kNumeroCategorie> categorie{{
      {"A/1", "Abitazione signorile"},
      {"A/2", "Abitazione civile"},
      {"A/3", "Abitazione economica"},
      {"A/4", "Abitazione popolare"},
      {"A/5", "Abitazione ultrapopolare"},
      {"A/6", "Abitazione rurale"},
      {"A/7", "Abitazioni in villini"},
      {"A/8", "Abitazioni in ville"},
      {"A/9", "Castelli e palazzi di eminenti pregi artistici o storici"},
      {"A/10", "Uffici e studi privati"},
      {"A/11", "Abitazioni tipiche dei luoghi"},
      {"", ""},
      {"B/1", "Collegi, convitti educandati ricoveri , orfanotrofi, ospizi conventi, seminari e caserme"},
      {"B/2", "Case di cura e ospedali"},
      {"B/3", "Prigioni e riformatori"},
      {"B/4", "Uffici pubblici"},
      {"B/5", "Scuole e laboratori scientifici"},
      {"B/6", "Biblioteche, musei, gallerie"},
      {"B/7", "Cappelle e oratori non destinati all 'esercizio pubblico dei culti"},
      {"B/8", "Magazzini sotterranei per depositi di derrate"},
      {"", ""},
      {"C/1", "Negozi e botteghe"},
      {"C/2", "Magazzini e locali deposito"},
      {"C/3", "Laboratori per arti e mestieri"},
      {"C/4", "Fabbricati e locali per esercizi sportivi senza fine di lucro"},
      {"C/5", "Stabilimenti balneari e di acque curative senza fine di lucro"},
      {"C/6", "Box o posti auto pertinenziali"},
      {"C/7", "Tettoie chiuse o aperte"},
      {"", ""},
      {"D/1", "Opifici"},
      {"D/2", "Alberghi, pensioni e residences"},
      {"D/3", "Teatri, cinematografi, sale per concerti e spettacoli e simili"},
      {"D/4", "Case di cura e ospedali con fine di lucro"},
      {"D/5", "Istituti di credito, cambio e assicurazione"},
      {"D/6", "Fabbricati e locali per esercizi sportivi"},
      {"D/7", "Fabbricati industriali"},
      {"D/8", "Fabbricati annessi a speciali esigenze commerciali"},
      {"D/9", "Edifici galleggianti o assicurati a punti fissi del suolo e ponti privati soggetti a pedaggio"},
      {"D/10", "Fabbricati per funzioni produttivi connesse alle attività agricole"},
      {"D/11", "Scuole e laboratori scientifici privati"},
      {"D/12", "Posti barca in porti turistici e stabilimenti balneari"},
      {"", ""},
      {"E/1", "Stazioni per servizi di trasporto"},
      {"E/2", "Ponti comunali a pedaggio"},
      {"E/3", "Fabbricati per esigenze pubbliche"},
      {"E/4", "Recinti chiusi per esigenze pubbliche"},
      {"E/5", "Fortificazioni"},
      {"E/6", "Fari, semafori, torri per orologio"},
      {"E/7", "Fabbricati per esercizio di culti"},
      {"E/8", "Cimiteri"},
      {"E/9", "Edifici particolari non compresi nelle categorie precedenti"},
  }};
  return categorie;
}

std::string CodiceCategoria(int indice) {
  struct Gruppo {
    char lettera;
    int primo, ultimo;
  };
  static constexpr Gruppo gruppi[] = {{'A', 0, 10}, {'B', 12, 19}, {'C', 21, 27}, {'D', 29, 40}, {'E', 42, 50}};
  for (const Gruppo& g : gruppi)
    if (indice >= g.primo && indice <= g.ultimo)
      return std::string(1, g.lettera) + "/" + std::to_string(indice - g.primo + 1);
  return {};
}

}  // namespace archives
