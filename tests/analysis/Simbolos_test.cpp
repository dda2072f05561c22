#include "Simbolos.h"

#include <gtest/gtest.h>

#include "Ayuda.h"
#include "Cgramatica.h"

using prueba::w;

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
