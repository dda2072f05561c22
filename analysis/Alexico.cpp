#include "Alexico.h"

#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Only A-Z, a-z and the capital N with tilde (209): the small ñ and the accented vowels are
// not letters, so names using them are read as tkOtro.
bool EsLetra(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == 209;
}

bool EsCaracterIdentificador(char c) { return EsDigito(c) || EsLetra(c) || c == '_'; }

bool EsBlanco(char c) { return c == ' ' || c == '\t'; }

bool EsSeparador(char c) { return c == 0 || c == kLF || c == kCR || EsBlanco(c); }

bool EsFinDeLinea(char c) { return c == 0 || c == kLF || c == kCR; }

TipoToken TipoDePalabra(std::string_view texto) {
  if (texto == "Terminales") return tkTerminales;
  if (texto == "NoTerminales") return tkNoTerminales;
  if (texto == "Axioma") return tkAxioma;
  if (texto == "Producciones") return tkProducciones;
  if (texto == "lambda") return tkLambda;
  return tkIdentificador;
}

}  // namespace

AnalizadorLexico::AnalizadorLexico(std::istream& entrada) : entrada(entrada.rdbuf()) { Avanzar(); }

char AnalizadorLexico::LeerCaracter() {
  if (finAlcanzado) return 0;
  const int leido = entrada ? entrada->sbumpc() : std::char_traits<char>::eof();
  // A NUL byte ends the text just like the end of the stream, and the end is sticky.
  if (leido == std::char_traits<char>::eof() || leido == 0) {
    finAlcanzado = true;
    return 0;
  }
  return static_cast<char>(leido);
}

std::string AnalizadorLexico::LeerResto(std::string prefijo) {
  while (!EsSeparador(caracter)) {
    prefijo += caracter;
    Avanzar();
  }
  if (EsBlanco(caracter)) Avanzar();
  return prefijo;
}

// Signs and words stand alone only when a separator follows them; glued to other characters
// they are part of a tkOtro run. LeerResto returns just the prefix (and skips one blank) when a
// separator is already current, so a lone sign and a glued one are collected the same way.
TokenLexico AnalizadorLexico::SiguienteToken() {
  while (EsBlanco(caracter)) Avanzar();
  switch (caracter) {
    case 0:
      return TokenLexico(tkFinFichero);
    case kCR:
      // The character after a CR is its LF; it is skipped whatever it is.
      Avanzar();
      Avanzar();
      ++linea;
      return TokenLexico(tkFinLinea);
    case kLF:
      Avanzar();
      ++linea;
      return TokenLexico(tkFinLinea);
    case '{':
    case '=': {
      const TipoToken tipo = caracter == '{' ? tkAbreLlave : tkIgual;
      std::string signo(1, caracter);
      Avanzar();
      const bool solo = EsSeparador(caracter);
      signo = LeerResto(std::move(signo));
      return solo ? TokenLexico(tipo) : TokenLexico(tkOtro, std::move(signo));
    }
    case '-':
      Avanzar();
      if (caracter != '>') return TokenLexico(tkOtro, LeerResto("-"));
      Avanzar();  // nothing needs to follow the arrow
      return TokenLexico(tkFlecha);
    case '/': {
      std::string barras = "/";
      Avanzar();
      while (barras.size() < 4 && caracter == '/') {
        barras += '/';
        Avanzar();
      }
      if (barras.size() < 4) return TokenLexico(tkOtro, LeerResto(std::move(barras)));
      while (!EsFinDeLinea(caracter)) Avanzar();
      return TokenLexico(tkComentario);
    }
    case '}': {
      Avanzar();
      bool blancos = false;
      for (; EsBlanco(caracter); Avanzar()) blancos = true;
      if (EsFinDeLinea(caracter)) return TokenLexico(tkCierraLlave);
      // With more text after it on its line the brace closes nothing.
      return TokenLexico(tkOtro, blancos ? std::string("}") : LeerResto("}"));
    }
    default: {
      std::string texto;
      for (; EsCaracterIdentificador(caracter); Avanzar()) texto += caracter;
      if (!EsSeparador(caracter)) return TokenLexico(tkOtro, LeerResto(std::move(texto)));
      if (EsBlanco(caracter)) Avanzar();
      const TipoToken tipo = TipoDePalabra(texto);
      return tipo == tkIdentificador ? TokenLexico(tipo, std::move(texto)) : TokenLexico(tipo);
    }
  }
}
