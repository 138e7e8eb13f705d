#pragma once
// Checks that a record's field numbers (its NumeroCampo enum) name the fields
// its table stores there: campo(kX) is the member X, whose name is "X", and
// every field is numbered once.
//
//   ControllaNumeriCampi<CatastoRecord>({QUOTARA_CAMPO(CatastoRecord, Nome), ...});
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

namespace quotara::testing {

template <class R>
struct CampoNumerato {
  int numero;
  std::string R::*membro;
  std::string_view nome;
};

template <class R>
void ControllaNumeriCampi(std::initializer_list<CampoNumerato<R>> campi) {
  EXPECT_EQ(static_cast<int>(campi.size()), R::kNumeroCampi);
  R r;
  std::set<int> visti;
  for (const CampoNumerato<R>& c : campi) {
    EXPECT_TRUE(visti.insert(c.numero).second) << c.nome << " numbered twice";
    ASSERT_GE(c.numero, 1) << c.nome;
    ASSERT_LE(c.numero, R::kNumeroCampi) << c.nome;
    EXPECT_EQ(&r.campo(c.numero), &(r.*c.membro)) << c.nome;
    EXPECT_EQ(R::nomeCampo(c.numero), c.nome);
  }
}

}  // namespace quotara::testing

#define QUOTARA_CAMPO(R, nome) \
  quotara::testing::CampoNumerato<R> { R::k##nome, &R::nome, #nome }
