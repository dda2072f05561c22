#include "Alexico.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Codificacion.h"

namespace {

struct Leido {
  TipoToken tipo;
  std::string nombre;
  int linea;  // Linea() right after the token was read
  bool operator==(const Leido&) const = default;
};

void PrintTo(const Leido& t, std::ostream* os) {
  *os << "{" << int(t.tipo) << ", \"" << t.nombre << "\", " << t.linea << "}";
}

// Every token up to and including the first tkFinFichero.
std::vector<Leido> Tokens(const std::string& texto) {
  std::istringstream entrada(texto);
  AnalizadorLexico lexico(entrada);
  std::vector<Leido> leidos;
  for (;;) {
    const TokenLexico token = lexico.SiguienteToken();
    leidos.push_back({token.Tipo(), token.Nombre(), lexico.Linea()});
    if (token.Tipo() == tkFinFichero) return leidos;
  }
}

// The kinds and names only, without the end token.
std::vector<std::pair<TipoToken, std::string>> Nombres(const std::string& texto) {
  std::vector<std::pair<TipoToken, std::string>> nombres;
  for (const Leido& t : Tokens(texto))
    if (t.tipo != tkFinFichero) nombres.emplace_back(t.tipo, t.nombre);
  return nombres;
}

using Nom = std::vector<std::pair<TipoToken, std::string>>;

}  // namespace

TEST(TokenLexico, namesOfKindsAndTextKeptOnlyForRuns) {
  EXPECT_EQ(TokenLexico().Tipo(), tkNinguno);
  EXPECT_EQ(TokenLexico().Nombre(), "0");
  EXPECT_EQ(TokenLexico(tkFinLinea, "xyz").Nombre(), "fin de l\xEDnea");
  EXPECT_EQ(TokenLexico(tkFinFichero).Nombre(), "fin de fichero");
  EXPECT_EQ(TokenLexico(tkComentario, "//// a").Nombre(), "comentario");
  EXPECT_EQ(TokenLexico(tkCierraLlave).Nombre(), "}");
  EXPECT_EQ(TokenLexico(tkFlecha).Nombre(), "->");
  EXPECT_EQ(TokenLexico(tkLambda).Nombre(), "lambda");
  EXPECT_EQ(TokenLexico(tkNoTerminales, "otro").Nombre(), "NoTerminales");
  EXPECT_EQ(TokenLexico(tkIdentificador, "abc").Nombre(), "abc");
  EXPECT_EQ(TokenLexico(tkOtro, "id)").Nombre(), "id)");
}

TEST(AnalizadorLexico, emptyTextEndsAtOnceAndTheEndIsSticky) {
  std::istringstream entrada("");
  AnalizadorLexico lexico(entrada);
  EXPECT_EQ(lexico.SiguienteToken().Tipo(), tkFinFichero);
  EXPECT_EQ(lexico.SiguienteToken().Tipo(), tkFinFichero);
  EXPECT_EQ(lexico.Linea(), 1);
}

TEST(AnalizadorLexico, signsStandAloneOnlyBeforeASeparator) {
  EXPECT_EQ(Nombres("Terminales = {"),
            (Nom{{tkTerminales, "Terminales"}, {tkIgual, "="}, {tkAbreLlave, "{"}}));
  EXPECT_EQ(Nombres("Terminales={"), (Nom{{tkOtro, "Terminales={"}}));
  EXPECT_EQ(Nombres("A->b"), (Nom{{tkOtro, "A->b"}}));
  EXPECT_EQ(Nombres("A -> b"),
            (Nom{{tkIdentificador, "A"}, {tkFlecha, "->"}, {tkIdentificador, "b"}}));
  EXPECT_EQ(Nombres("->b"), (Nom{{tkFlecha, "->"}, {tkIdentificador, "b"}}));
  EXPECT_EQ(Nombres("+ ( id) == {x -x - ="), (Nom{{tkOtro, "+"},
                                                  {tkOtro, "("},
                                                  {tkOtro, "id)"},
                                                  {tkOtro, "=="},
                                                  {tkOtro, "{x"},
                                                  {tkOtro, "-x"},
                                                  {tkOtro, "-"},
                                                  {tkIgual, "="}}));
}

TEST(AnalizadorLexico, keywordsAreExactAndCaseSensitive) {
  EXPECT_EQ(Nombres("Terminales NoTerminales Axioma Producciones lambda"),
            (Nom{{tkTerminales, "Terminales"},
                 {tkNoTerminales, "NoTerminales"},
                 {tkAxioma, "Axioma"},
                 {tkProducciones, "Producciones"},
                 {tkLambda, "lambda"}}));
  EXPECT_EQ(Nombres("terminales Lambda lambda1 1a 123 _"), (Nom{{tkIdentificador, "terminales"},
                                                                {tkIdentificador, "Lambda"},
                                                                {tkIdentificador, "lambda1"},
                                                                {tkIdentificador, "1a"},
                                                                {tkIdentificador, "123"},
                                                                {tkIdentificador, "_"}}));
  EXPECT_EQ(Nombres("lambda+"), (Nom{{tkOtro, "lambda+"}}));
}

TEST(AnalizadorLexico, onlyAsciiLettersAndCapitalEnyAreLetters) {
  EXPECT_EQ(Nombres("Ñu N_1 ñu canción"_cp1252), (Nom{{tkIdentificador, "\xD1u"},
                                                      {tkIdentificador, "N_1"},
                                                      {tkOtro, "\xF1u"},
                                                      {tkOtro, "canci\xF3n"}}));
}

TEST(AnalizadorLexico, fourSlashesStartAComment) {
  EXPECT_EQ(
      Nombres("//// anything -> { }\r\nx"),
      (Nom{{tkComentario, "comentario"}, {tkFinLinea, "fin de l\xEDnea"}, {tkIdentificador, "x"}}));
  EXPECT_EQ(Nombres("a ///// b"), (Nom{{tkIdentificador, "a"}, {tkComentario, "comentario"}}));
  EXPECT_EQ(Nombres("/// // / /x"),
            (Nom{{tkOtro, "///"}, {tkOtro, "//"}, {tkOtro, "/"}, {tkOtro, "/x"}}));
  EXPECT_EQ(Nombres("/ x"), (Nom{{tkOtro, "/"}, {tkIdentificador, "x"}}));
  EXPECT_EQ(Nombres("///x"), (Nom{{tkOtro, "///x"}}));
}

TEST(AnalizadorLexico, closingBraceOnlyAtTheEndOfItsLine) {
  EXPECT_EQ(Nombres("} \t \r\n}"),
            (Nom{{tkCierraLlave, "}"}, {tkFinLinea, "fin de l\xEDnea"}, {tkCierraLlave, "}"}}));
  EXPECT_EQ(Nombres("} x"), (Nom{{tkOtro, "}"}, {tkIdentificador, "x"}}));
  EXPECT_EQ(Nombres("}x y"), (Nom{{tkOtro, "}x"}, {tkIdentificador, "y"}}));
}

TEST(AnalizadorLexico, linesCountWhenTheBreakBecomesAToken) {
  const std::vector<Leido> esperado = {{tkIdentificador, "a", 1},
                                       {tkFinLinea, "fin de l\xEDnea", 2},
                                       {tkIdentificador, "b", 2},
                                       {tkFinFichero, "fin de fichero", 2}};
  EXPECT_EQ(Tokens("a\r\nb"), esperado);
  EXPECT_EQ(Tokens("a\r\n").back().linea, 2);
}

TEST(AnalizadorLexico, loneLineFeedIsALineBreakAndCarriageReturnSkipsOneCharacter) {
  EXPECT_EQ(Tokens("a\nb\n\nc").back().linea, 4);
  EXPECT_EQ(Nombres("a\nb"),
            (Nom{{tkIdentificador, "a"}, {tkFinLinea, "fin de l\xEDnea"}, {tkIdentificador, "b"}}));
  // Whatever follows a CR is taken as its LF.
  EXPECT_EQ(Nombres("a\rxb"),
            (Nom{{tkIdentificador, "a"}, {tkFinLinea, "fin de l\xEDnea"}, {tkIdentificador, "b"}}));
  EXPECT_EQ(Tokens("\r").back(), (Leido{tkFinFichero, "fin de fichero", 2}));
}

TEST(AnalizadorLexico, nulByteEndsTheText) {
  const std::string texto("a\0b\r\nc", 6);
  EXPECT_EQ(Tokens(texto),
            (std::vector<Leido>{{tkIdentificador, "a", 1}, {tkFinFichero, "fin de fichero", 1}}));
  EXPECT_EQ(Nombres(std::string("x\r\0y", 4)),
            (Nom{{tkIdentificador, "x"}, {tkFinLinea, "fin de l\xEDnea"}}));
}

TEST(AnalizadorLexico, everyByteValueIsScannedWithoutLoss) {
  std::string texto;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n' && b != ' ' && b != '\t') texto += static_cast<char>(b);
  // The 0 byte is absent, so the whole run is one token that keeps every byte.
  EXPECT_EQ(Nombres(texto), (Nom{{tkOtro, texto}}));
}

TEST(AnalizadorLexico, largeTextWithAHugeRunIsReadWhole) {
  std::string linea = "Abc -> x1 + ( id ) y_2 //// comment\r\n";
  std::string texto;
  int lineas = 0;
  for (; texto.size() < 3'000'000; ++lineas) texto += linea;
  texto += std::string(1'000'000, 'z');  // one huge run
  const std::vector<Leido> tokens = Tokens(texto);
  EXPECT_EQ(tokens.back().linea, lineas + 1);
  EXPECT_EQ(tokens[tokens.size() - 2].nombre.size(), 1'000'000u);
}
