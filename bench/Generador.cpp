#include "Generador.h"

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kMaxAlternativas = 8;
constexpr int kMaxCuerpo = 4;  // symbols after the leading one, besides the placed children
constexpr int kNombresPorLinea = 20;
constexpr const char* kPuntuacion[] = {
    "+", "-", "*",  "/",  "(",  ")",  "[",  "]",  ":=", ";",   ",",   ".",
    "<", ">", "<=", ">=", "==", "!=", "&&", "||", "!",  "id)", "(id", "::"};

// One bit per leading terminal.
class Bits {
 public:
  explicit Bits(int n = 0) : palabras((n + 63) / 64, 0) {}
  bool Tiene(int i) const { return (palabras[i / 64] >> (i % 64)) & 1; }
  void Poner(int i) { palabras[i / 64] |= std::uint64_t{1} << (i % 64); }
  bool Corta(const Bits& otro) const {
    for (std::size_t k = 0; k < palabras.size(); ++k)
      if (palabras[k] & otro.palabras[k]) return true;
    return false;
  }
  void Unir(const Bits& otro) {
    for (std::size_t k = 0; k < palabras.size(); ++k) palabras[k] |= otro.palabras[k];
  }
  int Cuenta() const {
    int n = 0;
    for (const std::uint64_t p : palabras) n += __builtin_popcountll(p);
    return n;
  }

 private:
  std::vector<std::uint64_t> palabras;
};

class Generador {
 public:
  explicit Generador(const ParametrosGramatica& p)
      : p(p),
        azar(p.semilla),
        cierre(std::max(2, p.terminales / 4)),
        lideres(p.terminales - cierre),
        alternativas(p.noTerminales),
        anulable(p.noTerminales, false),
        hijos(p.noTerminales),
        first(p.noTerminales) {
    if (p.terminales < 12 || p.noTerminales < 1 || p.producciones < p.noTerminales ||
        p.producciones > kMaxAlternativas * p.noTerminales)
      throw std::invalid_argument("grammar size out of range");
    RepartirAlternativas();
    ElegirAnulables();
    ElegirPadres();
    // Chains lead to later symbols only, so their FIRST sets are known when needed.
    const double alternativasMedias = double(p.producciones) / p.noTerminales;
    probabilidadCadena = std::min(0.5, 0.6 / alternativasMedias);
    producciones.resize(p.noTerminales);
    for (int i = p.noTerminales - 1; i >= 0; --i) GenerarSimbolo(i);
  }

  std::string Texto() const {
    std::string texto;
    texto.reserve(static_cast<std::size_t>(p.producciones) * 24);
    texto += "Terminales = {\r\n";
    for (int t = 0; t < p.terminales; ++t) AnadirNombre(texto, Terminal(t), t);
    texto += "\r\n}\r\nNoTerminales = {\r\n";
    for (int n = 0; n < p.noTerminales; ++n) AnadirNombre(texto, NoTerminal(n), n);
    texto += "\r\n}\r\nAxioma = N0\r\nProducciones = {\r\n";
    for (const auto& lineas : producciones)
      for (const std::string& linea : lineas) texto += linea + "\r\n";
    texto += "}\r\n";
    return texto;
  }

 private:
  // In the mix, every other leading terminal has a punctuation name.
  std::string Terminal(int t) const {
    const int k = t - cierre;
    if (p.forma == Forma::Mezcla && k >= 0 && k % 2 == 0 && k / 2 < int(std::size(kPuntuacion)))
      return kPuntuacion[k / 2];
    return "t" + std::to_string(t);
  }
  static std::string NoTerminal(int n) { return "N" + std::to_string(n); }
  static void AnadirNombre(std::string& texto, const std::string& nombre, int posicion) {
    texto += (posicion % kNombresPorLinea == 0 && posicion > 0) ? "\r\n" : " ";
    texto += nombre;
  }

  int Azar(int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar); }
  bool Moneda(double probabilidad) { return std::bernoulli_distribution(probabilidad)(azar); }

  void RepartirAlternativas() {
    int suma = 0;
    for (int& k : alternativas) suma += (k = 1 + Azar(4));
    while (suma < p.producciones) {
      int& k = alternativas[Azar(p.noTerminales)];
      if (k < kMaxAlternativas) ++k, ++suma;
    }
    while (suma > p.producciones) {
      int& k = alternativas[Azar(p.noTerminales)];
      if (k > 1) --k, --suma;
    }
  }

  void ElegirAnulables() {
    for (int i = 1; i < p.noTerminales; ++i)
      anulable[i] = alternativas[i] >= 2 && Moneda(p.anulables);
  }

  // Each symbol but the axiom appears in a right side of an earlier one: all are reachable.
  void ElegirPadres() {
    for (int j = 1; j < p.noTerminales; ++j) hijos[Azar(j)].push_back(j);
  }

  // A nullable symbol is always followed by a closing terminal, so that its FOLLOW holds
  // closing terminals only.
  void AnadirOcurrencia(std::string& linea, int n) {
    linea += " " + NoTerminal(n);
    if (anulable[n]) linea += " " + Terminal(Azar(cierre));
  }

  // A chain to a later non-nullable symbol whose FIRST keeps clear of `usados`, leaving
  // enough leading terminals for the alternatives still to come; -1 when none was found.
  int BuscarCadena(int i, const Bits& usados, int pendientes) {
    if (i + 1 >= p.noTerminales) return -1;
    for (int intento = 0; intento < 4; ++intento) {
      const int j = i + 1 + Azar(p.noTerminales - i - 1);
      if (anulable[j] || first[j].Corta(usados)) continue;
      if (usados.Cuenta() + first[j].Cuenta() + pendientes > lideres) continue;
      return j;
    }
    return -1;
  }

  // A symbol after i; -1 for the last one.
  int SimboloPosterior(int i) {
    return i + 1 < p.noTerminales ? i + 1 + Azar(p.noTerminales - i - 1) : -1;
  }

  int TerminalLibre(const Bits& usados) {
    for (;;) {
      const int t = Azar(lideres);
      if (!usados.Tiene(t)) return t;
    }
  }

  void GenerarSimbolo(int i) {
    const int noAnulables = alternativas[i] - (anulable[i] ? 1 : 0);
    Bits usados(lideres);
    std::vector<std::string> lineas;
    for (int a = 0; a < noAnulables; ++a) {
      std::string linea = NoTerminal(i) + " ->";
      const int cadena = Moneda(probabilidadCadena) ? BuscarCadena(i, usados, noAnulables - a) : -1;
      if (cadena >= 0) {
        usados.Unir(first[cadena]);
        linea += " " + NoTerminal(cadena);
      } else {
        const int t = TerminalLibre(usados);
        usados.Poner(t);
        linea += " " + Terminal(cierre + t);
      }
      for (std::size_t h = a; h < hijos[i].size(); h += noAnulables)
        AnadirOcurrencia(linea, hijos[i][h]);
      // The mix's first alternative only names later or nullable symbols: by induction from
      // the last symbol, every one derives a terminal string.
      const bool base = p.forma == Forma::Mezcla && a == 0;
      for (int resto = Azar(kMaxCuerpo + 1); resto > 0; --resto) {
        const bool terminal = Moneda(0.5);
        const int n = terminal ? -1 : base ? SimboloPosterior(i) : Azar(p.noTerminales);
        if (n < 0)
          linea += " " + Terminal(Azar(p.terminales));
        else
          AnadirOcurrencia(linea, n);
      }
      if (p.forma == Forma::Mezcla && !base && Moneda(0.3)) AnadirOcurrencia(linea, i);
      lineas.push_back(std::move(linea));
    }
    if (anulable[i])
      lineas.insert(lineas.begin() + Azar(noAnulables + 1), NoTerminal(i) + " -> lambda");
    first[i] = std::move(usados);
    producciones[i] = std::move(lineas);
  }

  ParametrosGramatica p;
  std::mt19937 azar;
  int cierre;   // terminals t0 .. t(cierre-1) only ever follow nullable symbols
  int lideres;  // terminals t(cierre) .. lead alternatives; bit k stands for t(cierre+k)
  double probabilidadCadena = 0;
  std::vector<int> alternativas;
  std::vector<bool> anulable;
  std::vector<std::vector<int>> hijos;
  std::vector<Bits> first;
  std::vector<std::vector<std::string>> producciones;
};

}  // namespace

std::string GenerarGramatica(const ParametrosGramatica& parametros) {
  return Generador(parametros).Texto();
}

ParametrosGramatica ParametrosMezcla(int producciones) {
  ParametrosGramatica p;
  p.producciones = producciones;
  p.noTerminales = std::max(1, static_cast<int>(producciones / 2.8));
  p.terminales = 64;
  p.anulables = 0.365;  // of those with two alternatives or more: 30 % of all
  p.forma = Forma::Mezcla;
  return p;
}

std::string GenerarCadena(int longitud) {
  std::string texto = "Terminales = { x y }\r\nNoTerminales = {\r\n";
  for (int i = 1; i <= longitud; ++i) {
    texto += "A" + std::to_string(i);
    texto += (i % kNombresPorLinea == 0) ? "\r\n" : " ";
  }
  texto += "\r\n}\r\nAxioma = A1\r\nProducciones = {\r\n";
  for (int i = 1; i < longitud; ++i)
    texto += "A" + std::to_string(i) + " -> A" + std::to_string(i + 1) + " x\r\n";
  texto += "A" + std::to_string(longitud) + " -> y\r\n}\r\n";
  return texto;
}

std::string GenerarAlternativas(int n) {
  std::string texto = "Terminales = {\r\n";
  for (int i = 0; i < n; ++i) {
    texto += "t" + std::to_string(i);
    texto += (i % kNombresPorLinea == kNombresPorLinea - 1) ? "\r\n" : " ";
  }
  texto += "\r\n}\r\nNoTerminales = { S }\r\nAxioma = S\r\nProducciones = {\r\n";
  for (int i = 0; i < n; ++i) texto += "S -> t" + std::to_string(i) + "\r\n";
  return texto + "}\r\n";
}
