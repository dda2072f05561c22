#include "Simbolos.h"

#include <gtest/gtest.h>

#include "Ayuda.h"
#include "Cgramatica.h"

using prueba::w;

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

TEST(TextoProduccion, plainAndHtmlForms) {
  CGramatica g;
  g.AnadirTerminal("<a&\"b>", 1);
  g.AnadirNoTerminal("E'", 2);
  auto p = std::make_unique<CProduccion>();
  p->PonerAntecedente(g.BuscarNoTerminal("E'"));
  p->AnadirSimbolo(g.BuscarSimbolo("<a&\"b>"));
  p->AnadirSimbolo(g.BuscarSimbolo("E'"));
  EXPECT_EQ(p->TextoProduccion(), "E' -> <a&\"b> E'");
  EXPECT_EQ(p->TextoProduccionHTML(), "E' &rarr; &lt;a&amp;&quot;b&gt; E'");
  auto lambda = std::make_unique<CProduccion>();
  lambda->PonerAntecedente(g.BuscarNoTerminal("E'"));
  lambda->AnadirSimbolo(nullptr);
  EXPECT_EQ(lambda->TextoProduccion(), "E' -> lambda");
  EXPECT_EQ(lambda->TextoProduccionHTML(), "E' &rarr; lambda");
  auto vacia = std::make_unique<CProduccion>();  // emptied by an undeclared symbol
  vacia->PonerAntecedente(g.BuscarNoTerminal("E'"));
  EXPECT_EQ(vacia->TextoProduccion(), "E' ->");
}

TEST(EscaparHTML, replacesTheFourCharactersOnly) {
  EXPECT_EQ(EscaparHTML(""), "");
  EXPECT_EQ(EscaparHTML("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c'");
  EXPECT_EQ(EscaparHTML(NombreFinCadena()), NombreFinCadena());
  EXPECT_EQ(EscaparHTML("\xF1\xE1"), "\xF1\xE1");
}

TEST(CGramatica, declarationsAndAxiom) {
  CGramatica g;
  EXPECT_TRUE(g.AnadirTerminal("a", 1));
  EXPECT_FALSE(g.AnadirTerminal("a", 1));
  EXPECT_FALSE(g.AnadirNoTerminal("a", 2));
  EXPECT_TRUE(g.AnadirNoTerminal("S", 2));
  EXPECT_FALSE(g.AnadirTerminal("S", 1));
  EXPECT_EQ(g.BuscarNoTerminal("a"), nullptr);
  EXPECT_EQ(g.BuscarSimbolo("S")->Linea(), 2);
  EXPECT_FALSE(g.DefinirAxioma("a"));
  EXPECT_FALSE(g.DefinirAxioma("T"));
  EXPECT_EQ(g.Terminales().Tamano(), 1);  // no end marker for a refused axiom
  EXPECT_TRUE(g.DefinirAxioma("S"));
  EXPECT_TRUE(g.DefinirAxioma("S"));
  ASSERT_EQ(g.Terminales().Tamano(), 2);
  const CSimbolo* fin = g.Terminales().Elemento(1);
  EXPECT_EQ(fin->Nombre(), w("\u00A0$ (final de cadena)"));
  EXPECT_EQ(fin->Nombre().size(), 20u);
  EXPECT_EQ(fin->Linea(), 0);
  EXPECT_TRUE(g.Axioma()->EsAxioma());
  EXPECT_EQ(g.Axioma()->ConjuntoFollow().TextoConjunto(false), " { " + NombreFinCadena() + " }");
}

TEST(CProduccion, registersEveryOccurrenceOfANonTerminal) {
  CGramatica g;
  g.AnadirNoTerminal("A", 1);
  g.AnadirNoTerminal("B", 1);
  CSimboloNoTerminal* b = g.BuscarNoTerminal("B");
  auto p = std::make_unique<CProduccion>();
  p->AnadirSimbolo(b);
  p->AnadirSimbolo(b);
  ASSERT_EQ(b->Apariciones().size(), 2u);
  EXPECT_EQ(b->Apariciones()[0], std::make_pair(p.get(), 0));
  EXPECT_EQ(b->Apariciones()[1], std::make_pair(p.get(), 1));
  EXPECT_EQ(p->SimboloEn(2), nullptr);
  g.BuscarNoTerminal("A")->AnadirProduccion(std::move(p));
}
