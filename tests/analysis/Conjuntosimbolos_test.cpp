// The symbol set and its name order.
#include "Conjuntosimbolos.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "Cgramatica.h"

namespace {

std::vector<std::string> Nombres(const ConjuntoSimbolos& conjunto) {
  std::vector<std::string> nombres;
  for (int k = 0; CSimbolo* s = conjunto.Elemento(k); ++k) nombres.push_back(s->Nombre());
  return nombres;
}

}  // namespace

TEST(NombreMenor, comparesUnsignedBytesWithPrefixFirst) {
  EXPECT_TRUE(NombreMenor("A", "a"));
  EXPECT_TRUE(NombreMenor("9", "A"));
  EXPECT_TRUE(NombreMenor("a", "ab"));
  EXPECT_TRUE(NombreMenor("ab", "b"));
  EXPECT_TRUE(NombreMenor("z", "\xA0$"));     // the end marker after ASCII names
  EXPECT_TRUE(NombreMenor("\xA0$", "\xE1"));  // and before accented letters
  EXPECT_FALSE(NombreMenor("a", "a"));
}

TEST(ConjuntoSimbolos, iteratesInByteOrderWhateverTheInsertionOrder) {
  CGramatica g;
  for (const char* n : {"b", "A", "a", "Z", "ab", "\xE1", "0"}) g.AnadirTerminal(n, 1);
  EXPECT_EQ(Nombres(g.Terminales()),
            (std::vector<std::string>{"0", "A", "Z", "a", "ab", "b", "\xE1"}));
  EXPECT_EQ(g.Terminales().Elemento(7), nullptr);
  EXPECT_EQ(g.Terminales().Elemento(-1), nullptr);
  EXPECT_EQ(ConjuntoSimbolos().Elemento(0), nullptr);
}

// Large sets sort on the names' first eight bytes first: names that share them, end inside
// them, hold bytes above 0x7F or a NUL must still come in byte order.
TEST(ConjuntoSimbolos, largeSetsSortInByteOrderToo) {
  CGramatica g;
  ConjuntoSimbolos conjunto;
  std::vector<std::string> nombres;
  const std::string raices[] = {"abcdefgh", "abcdefg", "abc",      std::string("ab\0c", 4),
                                "\xE1\xE9", "Z",       "abcdefghi"};
  for (int i = 0; i < 200; ++i) {
    nombres.push_back(raices[i % 7] + std::to_string((i * 37) % 200));
    g.AnadirTerminal(nombres.back(), 1);
    conjunto.InsertarNuevo(g.BuscarSimbolo(nombres.back()));
  }
  std::sort(nombres.begin(), nombres.end(), NombreMenor);
  EXPECT_EQ(Nombres(conjunto), nombres);
}

// Members live in place up to two, then on the heap: copies and moves from either state, and
// growth through insertion, keep every member.
TEST(ConjuntoSimbolos, copiesAndMovesKeepMembersInPlaceOrOnTheHeap) {
  CGramatica g;
  for (const char* n : {"a", "b", "c", "d", "e"}) g.AnadirTerminal(n, 1);
  ConjuntoSimbolos pequeno, grande;
  for (const char* n : {"b", "a"}) pequeno.Insertar(g.BuscarSimbolo(n));
  for (const char* n : {"e", "a", "d", "b", "c"}) grande.Insertar(g.BuscarSimbolo(n));
  const std::vector<std::string> dos{"a", "b"}, cinco{"a", "b", "c", "d", "e"};
  ConjuntoSimbolos copia = pequeno, otra = grande;
  EXPECT_EQ(Nombres(copia), dos);
  EXPECT_EQ(Nombres(otra), cinco);
  copia = grande;  // in place to heap
  otra = pequeno;  // heap to in place
  EXPECT_EQ(Nombres(copia), cinco);
  EXPECT_EQ(Nombres(otra), dos);
  ConjuntoSimbolos movido = std::move(copia), movidoPequeno = std::move(otra);
  EXPECT_EQ(Nombres(movido), cinco);
  EXPECT_EQ(Nombres(movidoPequeno), dos);
  movido = std::move(movidoPequeno);
  EXPECT_EQ(Nombres(movido), dos);
  EXPECT_TRUE(movido.Unir(grande));
  EXPECT_EQ(Nombres(movido), cinco);
  EXPECT_EQ(Nombres(pequeno), dos);
}

TEST(ConjuntoSimbolos, insertRefusesNamesAlreadyThere) {
  CGramatica g;
  g.AnadirTerminal("x", 1);
  g.AnadirTerminal("y", 1);
  ConjuntoSimbolos c;
  EXPECT_TRUE(c.Insertar(g.BuscarSimbolo("y")));
  EXPECT_TRUE(c.Insertar(g.BuscarSimbolo("x")));
  EXPECT_FALSE(c.Insertar(g.BuscarSimbolo("y")));
  EXPECT_EQ(Nombres(c), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(c.Buscar("y"), g.BuscarSimbolo("y"));
  EXPECT_EQ(c.Buscar("z"), nullptr);
}

TEST(ConjuntoSimbolos, unionAndIntersectionMergeByName) {
  CGramatica g;
  for (const char* n : {"a", "b", "c", "d"}) g.AnadirTerminal(n, 1);
  ConjuntoSimbolos ab, bcd;
  ab.Insertar(g.BuscarSimbolo("b"));
  ab.Insertar(g.BuscarSimbolo("a"));
  for (const char* n : {"d", "c", "b"}) bcd.Insertar(g.BuscarSimbolo(n));
  EXPECT_EQ(Nombres(ConjuntoSimbolos::Union(ab, bcd)),
            (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Nombres(ConjuntoSimbolos::Interseccion(ab, bcd)), (std::vector<std::string>{"b"}));
  EXPECT_TRUE(ab.Corta(bcd));
  EXPECT_EQ(Nombres(ab), (std::vector<std::string>{"a", "b"}));  // arguments unchanged
  ConjuntoSimbolos copia = ab;
  EXPECT_FALSE(copia.Unir(ab));
  EXPECT_TRUE(copia.Unir(bcd));
  EXPECT_EQ(copia.Tamano(), 4);
}

// Walking both sets, or looking each member of a small one up in a large one: either way the
// smallest shared member.
TEST(ConjuntoSimbolos, firstCommonIsTheSmallestSharedMember) {
  CGramatica g;
  ConjuntoSimbolos grande, pares, ninguno;
  for (int i = 0; i < 200; ++i) {
    const std::string nombre = "t" + std::to_string(i);
    g.AnadirTerminal(nombre, 1);
    grande.InsertarNuevo(g.BuscarSimbolo(nombre));
    if (i % 2 == 0 && i >= 100) pares.InsertarNuevo(g.BuscarSimbolo(nombre));
  }
  g.AnadirTerminal("x", 1);
  ConjuntoSimbolos pocos;
  for (const char* n : {"x", "t150", "t0", "t120"}) pocos.Insertar(g.BuscarSimbolo(n));
  EXPECT_EQ(pocos.PrimeroComun(grande)->Nombre(), "t0");
  EXPECT_EQ(grande.PrimeroComun(pocos)->Nombre(), "t0");
  ConjuntoSimbolos soloAltos;
  for (const char* n : {"x", "t150", "t120"}) soloAltos.Insertar(g.BuscarSimbolo(n));
  EXPECT_EQ(soloAltos.PrimeroComun(grande)->Nombre(), "t120");  // "t120" < "t150"
  EXPECT_EQ(pares.PrimeroComun(grande)->Nombre(), "t100");      // sets of like sizes
  ninguno.Insertar(g.BuscarSimbolo("x"));
  EXPECT_EQ(ninguno.PrimeroComun(grande), nullptr);
  EXPECT_EQ(grande.PrimeroComun(ConjuntoSimbolos()), nullptr);
  EXPECT_FALSE(ninguno.Corta(pares));
  EXPECT_TRUE(soloAltos.Corta(pares));
}

TEST(TextoConjunto, listsMembersEachWithATrailingBlank) {
  CGramatica g;
  g.AnadirTerminal("b", 1);
  g.AnadirTerminal("a", 1);
  g.AnadirNoTerminal("S", 2);
  g.DefinirAxioma("S");
  ConjuntoSimbolos c;
  EXPECT_EQ(c.TextoConjunto(false), " { }");
  EXPECT_EQ(c.TextoConjunto(true), " { lambda }");
  c.Insertar(g.BuscarSimbolo("a"));
  EXPECT_EQ(c.TextoConjunto(false), " { a }");
  c.Insertar(g.BuscarSimbolo("b"));
  EXPECT_EQ(c.TextoConjunto(true), " { a b lambda }");
  c.Insertar(g.BuscarSimbolo(NombreFinCadena()));
  EXPECT_EQ(c.TextoConjunto(false), " { a b \xA0$ (final de cadena) }");
}
