#include "Tablasintactica.h"

#include <gtest/gtest.h>

#include <sstream>

#include "Ayuda.h"

using prueba::Analizar;
using prueba::Gramatica;
using prueba::w;

TEST(CTablaSintactica, rowsAndColumnsAddedInAnyOrderKeepEveryRowFull) {
  CGramatica g;
  g.AnadirTerminal("a", 1);
  g.AnadirTerminal("b", 1);
  g.AnadirNoTerminal("S", 2);
  g.AnadirNoTerminal("T", 2);
  CTablaSintactica t;
  t.AgregarFila(g.BuscarNoTerminal("S"));
  t.AgregarColumna(g.BuscarSimbolo("a"));
  t.AgregarFila(g.BuscarNoTerminal("T"));
  t.AgregarColumna(g.BuscarSimbolo("b"));
  EXPECT_EQ(t.Celda(0, 1), nullptr);
  EXPECT_EQ(t.Celda(1, 0), nullptr);
  EXPECT_EQ(t.Fila(1)->Nombre(), "T");
  EXPECT_EQ(t.Fila(2), nullptr);
  EXPECT_EQ(t.Columna(2), nullptr);
}

TEST(EscribirHTML, workedExamplePageByteForByte) {
  const auto a = Analizar(Gramatica("a b", "S", "S", {"S -> a S b", "S -> lambda"}));
  ASSERT_TRUE(a.tabla);
  std::ostringstream pagina;
  a.tabla->EscribirHTML(pagina, "ejemplo.ll1");
  const std::string esperado =
      w("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
        "\"http://www.w3.org/TR/html4/strict.dtd\">\r\n"
        "<HTML>\r\n"
        "<HEAD>\r\n"
        "  <META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
        "  <TITLE>Tabla sintáctica para ejemplo.ll1</TITLE>\r\n"
        "  <STYLE type=\"text/css\">\r\n"
        "    DIV.tabla { text-align: center; font-size: 12pt; font-family: Arial }\r\n"
        "    H2.titulo { text-align: center; font-family: Arial }\r\n"
        "    TABLE { text-align: center; }\r\n"
        "    TH { background: silver; }\r\n"
        "  </STYLE>\r\n"
        "</HEAD>\r\n"
        "\r\n"
        "<BODY style=\"font-family: Arial\">\r\n"
        "\r\n"
        "  <P><BR></P>\r\n"
        "  <H2 class=titulo>Tabla sintáctica para ejemplo.ll1</H2>\r\n"
        "  <P><BR></P>\r\n"
        "\r\n"
        "  <DIV class = tabla>\r\n"
        "    <TABLE border=\"1\" cellpadding=\"5\" width=\"90%\">\r\n"
        "      <TR>\r\n"
        "        <TD>\r\n"
        "        <TH>a</TH>\r\n"
        "        <TH>b</TH>\r\n"
        "        <TH>\u00A0$ (final de cadena)</TH>\r\n"
        "      </TR>\r\n"
        "      <TR>\r\n"
        "        <TH>S</TH>\r\n"
        "        <TD>S &rarr; a S b</TD>\r\n"
        "        <TD>S &rarr; lambda</TD>\r\n"
        "        <TD>S &rarr; lambda</TD>\r\n"
        "      </TR>\r\n"
        "    </TABLE>\r\n"
        "  </DIV>\r\n"
        "</BODY>\r\n"
        "</HTML>\r\n");
  EXPECT_EQ(pagina.str(), esperado);
  std::ostringstream otra;
  a.tabla->EscribirHTML(otra, "ejemplo.ll1");
  EXPECT_EQ(otra.str(), pagina.str());
}

TEST(EscribirHTML, escapesTitleNamesAndCellsAndMarksEmptyCells) {
  const auto a = Analizar(Gramatica("<x> & \"y\" z", "S", "S", {"S -> <x> &", "S -> \"y\""}));
  ASSERT_TRUE(a.tabla);
  std::ostringstream pagina;
  a.tabla->EscribirHTML(pagina, "a<b>&\"c\".ll1");
  const std::string html = pagina.str();
  EXPECT_NE(
      html.find(w("  <TITLE>Tabla sintáctica para a&lt;b&gt;&amp;&quot;c&quot;.ll1</TITLE>\r\n")),
      std::string::npos);
  EXPECT_NE(html.find("        <TH>&lt;x&gt;</TH>\r\n"), std::string::npos);
  EXPECT_NE(html.find("        <TH>&quot;y&quot;</TH>\r\n"), std::string::npos);
  EXPECT_NE(html.find("        <TD>S &rarr; &lt;x&gt; &amp;</TD>\r\n"), std::string::npos);
  EXPECT_NE(html.find("        <TD>S &rarr; &quot;y&quot;</TD>\r\n"), std::string::npos);
  EXPECT_NE(html.find("        <TD>--</TD>\r\n"), std::string::npos);
  std::ostringstream vacio;
  a.tabla->EscribirHTML(vacio, "");
  EXPECT_NE(vacio.str().find(w("  <TITLE>Tabla sintáctica para </TITLE>\r\n")), std::string::npos);
}
