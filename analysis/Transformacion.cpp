#include "Transformacion.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "Analizador.h"
#include "Codificacion.h"
#include "Gramaticaplana.h"
#include "Simbolos.h"

namespace {

using Derecha = std::vector<int>;  // an empty right side is lambda

// The grammar being rewritten: the right sides of each non-terminal, the names in use, and
// the order in which the non-terminals are written: as declared, each followed by the new
// ones named after it.
class Editable {
 public:
  explicit Editable(const GramaticaDe& de);

  bool EsTerminal(int s) const { return s < terminales; }
  const std::string& Nombre(int s) const { return nombres[s]; }
  int Axioma() const { return axioma; }
  const std::vector<int>& Declarados() const { return declarados; }
  // The new non-terminals named after declared non-terminal `a`, in the order made.
  const std::vector<int>& Derivados(int a) const { return derivados[a]; }
  // The non-terminals in the written order, without those taken out.
  std::vector<int> Orden() const;
  // Takes non-terminal `a` out of the grammar, with its productions.
  void Quitar(int a);
  const std::vector<Derecha>& Reglas(int a) const { return reglas[a]; }
  // Replaces the right sides of `a`, dropping repeated ones.
  void PonerReglas(int a, std::vector<Derecha> nuevas);
  // The size of the grammar: its right sides' symbols, plus one per production.
  std::size_t Tamano() const { return tamano; }

  // A new non-terminal named after `origen` (after its origin, for one that is new too).
  int Nuevo(int origen, const std::string& sufijo);
  std::string TextoRegla(int a, const Derecha& derecha) const;
  std::string Forma(const Derecha& simbolos) const;
  // The grammar as numbers; the productions go in the written order.
  GramaticaPlana Plana() const;
  // The grammar file; `primera`, when given, gets the line of the first production.
  std::string Texto(int* primera = nullptr) const;

 private:
  int terminales = 0;
  int axioma = -1;
  std::vector<std::string> nombres;
  std::vector<std::vector<Derecha>> reglas;  // by symbol; none for terminals
  std::vector<int> declarados;
  std::vector<int> raiz;                    // by symbol: the declared one it is named after
  std::vector<std::vector<int>> derivados;  // by symbol
  std::vector<char> quitados;               // by symbol
  std::unordered_set<std::string> usados;
  std::unordered_map<std::string, int> siguiente;  // per stem of new names, the number to try
  std::size_t tamano = 0;
};

Editable::Editable(const GramaticaDe& de) : declarados(de.declarados) {
  const GramaticaPlana& g = de.plana;
  terminales = g.NumTerminales();
  axioma = g.Axioma();
  for (int s = 0; s < g.NumSimbolos(); ++s) {
    nombres.push_back(g.Nombre(s));
    usados.insert(g.Nombre(s));
    raiz.push_back(s);
  }
  for (const char* clave : {"lambda", "Terminales", "NoTerminales", "Axioma", "Producciones"})
    usados.insert(clave);
  reglas.resize(nombres.size());
  derivados.resize(nombres.size());
  quitados.resize(nombres.size());
  for (int p = 0; p < g.NumProducciones(); ++p) {
    const auto derecha = g.Derecha(p);
    reglas[g.Antecedente(p)].emplace_back(derecha.begin(), derecha.end());
    tamano += derecha.size() + 1;
  }
}

std::vector<int> Editable::Orden() const {
  std::vector<int> orden;
  for (const int a : declarados) {
    if (!quitados[a]) orden.push_back(a);
    for (const int b : derivados[a])
      if (!quitados[b]) orden.push_back(b);
  }
  return orden;
}

void Editable::Quitar(int a) {
  PonerReglas(a, {});
  quitados[a] = 1;
}

void Editable::PonerReglas(int a, std::vector<Derecha> nuevas) {
  for (const Derecha& d : reglas[a]) tamano -= d.size() + 1;
  std::set<Derecha> vistas;
  reglas[a].clear();
  for (Derecha& d : nuevas)
    if (vistas.insert(d).second) {
      tamano += d.size() + 1;
      reglas[a].push_back(std::move(d));
    }
}

int Editable::Nuevo(int origen, const std::string& sufijo) {
  const int base = raiz[origen];
  const std::string tronco = nombres[base] + sufijo;
  // The stem alone, then stem2, stem3, ...: names are never given back, so the search goes on
  // where the last one for this stem stopped (thousands of factored prefixes would otherwise
  // try every earlier number again).
  int& n = siguiente[tronco];  // 0: the stem alone
  const auto candidato = [&tronco](int k) { return k == 0 ? tronco : tronco + std::to_string(k); };
  std::string nombre = candidato(n);
  for (; usados.count(nombre); nombre = candidato(n)) n = n == 0 ? 2 : n + 1;
  n = n == 0 ? 2 : n + 1;
  usados.insert(nombre);
  const int s = static_cast<int>(nombres.size());
  nombres.push_back(nombre);
  reglas.emplace_back();
  raiz.push_back(base);
  derivados.emplace_back();
  quitados.push_back(0);
  derivados[base].push_back(s);
  return s;
}

std::string Editable::Forma(const Derecha& simbolos) const {
  if (simbolos.empty()) return "lambda";
  std::string texto;
  for (const int s : simbolos) texto += (texto.empty() ? "" : " ") + nombres[s];
  return texto;
}

std::string Editable::TextoRegla(int a, const Derecha& derecha) const {
  return nombres[a] + " -> " + Forma(derecha);
}

GramaticaPlana Editable::Plana() const {
  GramaticaPlana g;
  for (std::size_t s = 0; s < nombres.size(); ++s)
    g.AnadirSimbolo(nombres[s], static_cast<int>(s) < terminales);
  g.PonerAxioma(axioma);
  for (const int a : Orden())
    for (const Derecha& d : reglas[a]) g.AnadirProduccion(a, d);
  return g;
}

std::string Editable::Texto(int* primera) const {
  constexpr std::size_t kAncho = 100;
  std::string texto;
  // A set's members wrap at kAncho columns. A "}" member never ends a line: there it would
  // close the set.
  auto conjunto = [&](const std::string& cabecera, const std::vector<int>& miembros) {
    std::string linea = cabecera + " = {";
    for (std::size_t i = 0; i < miembros.size(); ++i) {
      const std::string& nombre = nombres[miembros[i]];
      if (linea.size() + 1 + nombre.size() > kAncho && i > 0 && nombres[miembros[i - 1]] != "}") {
        texto += linea + "\r\n";
        linea = " ";
      }
      linea += " " + nombre;
    }
    texto += linea + " }\r\n";
  };
  std::vector<int> terminalesDeclarados;
  for (int t = 0; t < terminales; ++t)
    if (nombres[t] != NombreFinCadena()) terminalesDeclarados.push_back(t);
  const std::vector<int> orden = Orden();
  conjunto("Terminales", terminalesDeclarados);
  conjunto("NoTerminales", orden);
  texto += "Axioma = " + nombres[axioma] + "\r\nProducciones = {\r\n";
  if (primera) *primera = static_cast<int>(std::count(texto.begin(), texto.end(), '\n')) + 1;
  for (const int a : orden)
    for (const Derecha& d : reglas[a]) texto += TextoRegla(a, d) + "\r\n";
  return texto + "}\r\n";
}

enum class Fin { Hecho, Crece, Ciclo };

// An error that the analysis of the grammar as it stands records, with the non-terminal and
// the productions (indices into its right sides) on its lines; -1 where a line holds none.
struct Conflicto {
  Error registro;
  int a = -1;
  std::array<int, 2> reglas{-1, -1};
};

// The analyses made here go through the process-wide error list, which still holds the errors
// of the analysis the user ran: each leaves the list as it found it.
class ErroresGuardados {
 public:
  ErroresGuardados() : errores(listaErrores.Errores()) {}
  ~ErroresGuardados() {
    listaErrores.Vaciar();
    for (const Error& error : errores) listaErrores.Agregar(error);
  }
  ErroresGuardados(const ErroresGuardados&) = delete;
  ErroresGuardados& operator=(const ErroresGuardados&) = delete;

 private:
  std::vector<Error> errores;
};

// The rewriting, step by step; each step notes what it did in `pasos`.
class Transformador {
 public:
  Transformador(Editable gramatica, std::size_t limite) : g(std::move(gramatica)), limite(limite) {}

  // Classic substitution inside each set of mutually left-recursive non-terminals, in the
  // written order (or, with `entradasAlFinal`, with the members used from elsewhere last), then
  // the direct recursion of each; Ciclo when some recursion is left.
  Fin QuitarRecursividad();
  // Every production lambda goes, the others get a copy without each subset of their
  // nullable symbols; the axiom keeps the empty string. False when nothing was nullable.
  bool QuitarLambdas();
  // The non-terminals of a cycle of unit productions share their other productions.
  bool QuitarCiclosUnitarios();
  // Common prefixes factored out, the longest first, until no two productions of a
  // non-terminal begin alike.
  Fin Factorizar();
  // Takes out the non-terminals that derive no string of terminals (`vacios`: that derive
  // only the empty string, before the productions lambda went) with the productions that use
  // them, and the non-terminals the axiom does not reach. The axiom must derive something.
  void QuitarImproductivos(bool vacios);
  void QuitarInaccesibles();
  // The texts of a left-recursion cycle that is left, if any.
  std::vector<std::string> CicloRestante() const;
  // Two productions of a non-terminal that still clash, one of them beginning with a
  // non-terminal: its productions take its place and the grammar is factored again, for every
  // such conflict in a round, for at most `rondas` rounds. The state with the fewest errors
  // seen is kept, with its errors in `conflictos`.
  void Sustituir(int rondas);
  // One step per error left in `conflictos`, up to a few.
  void AnotarConflictos();

  Editable g;
  std::vector<std::string> pasos;
  std::vector<Conflicto> conflictos;
  bool entradasAlFinal = false;
  bool reordenado = false;  // some group went in another order than the written one
  bool Excede() const { return crecio || g.Tamano() > limite; }

 private:
  void Directa(int a, const std::set<int>& grupo);
  // The group's members used other than as the first symbol of a member (or the axiom) go
  // last: the others are substituted into them and then lie out of reach.
  std::vector<int> EntradasAlFinal(const std::vector<int>& grupo, const GramaticaPlana& plana);
  bool FactorizarTodos();
  // One non-terminal's prefixes; true when one was factored out.
  bool FactorizarUno(int a);
  std::vector<Conflicto> Conflictos() const;
  // One round of Sustituir; false when no conflict had a non-terminal to substitute.
  bool SustituirRonda();
  std::string TextoConflicto(const Conflicto& c, const std::vector<char>& anulables) const;

  std::size_t limite;
  std::size_t trabajo = 0;  // symbols written by substitution
  bool crecio = false;
};

Fin Transformador::QuitarRecursividad() {
  const GramaticaPlana plana = g.Plana();
  const std::vector<char> anulables = Anulables(plana);
  const RecursividadIzquierda recursividad(plana, anulables);
  // The recursive non-terminals by their component, in the written order.
  std::vector<std::vector<int>> grupos;
  std::map<int, std::size_t> grupoDe;
  for (const int a : g.Orden()) {
    if (!recursividad.Recursivo(a)) continue;
    const auto [en, nuevo] = grupoDe.emplace(recursividad.Componente(a), grupos.size());
    if (nuevo) grupos.emplace_back();
    grupos[en->second].push_back(a);
  }
  if (entradasAlFinal)
    for (std::vector<int>& grupo : grupos) grupo = EntradasAlFinal(grupo, plana);
  for (const std::vector<int>& grupo : grupos) {
    const std::set<int> miembros(grupo.begin(), grupo.end());
    std::map<int, std::size_t> lugar;
    for (std::size_t i = 0; i < grupo.size(); ++i) lugar[grupo[i]] = i;
    for (std::size_t i = 0; i < grupo.size(); ++i) {
      const int a = grupo[i];
      auto anterior = [&](int x) {
        const auto en = lugar.find(x);
        return en != lugar.end() && en->second < i;
      };
      std::set<int> sustituidos;
      // Without productions lambda each round makes the first symbols later in the order, so
      // the rounds are few; with them, a round may bring back an earlier one (recursion behind
      // a nullable symbol), which only the removal of the productions lambda ends.
      const std::size_t rondas = 2 * grupo.size() + 16;
      bool cambio = true;
      for (std::size_t ronda = 0; cambio; ++ronda) {
        if (ronda == rondas) return Fin::Ciclo;
        cambio = false;
        std::vector<Derecha> nuevas;
        std::size_t tamano = g.Tamano();
        for (const Derecha& d : g.Reglas(a)) {
          if (d.empty() || !anterior(d[0])) {
            nuevas.push_back(d);
            continue;
          }
          cambio = true;
          if (sustituidos.insert(d[0]).second)
            pasos.push_back("Recursividad por la izquierda indirecta: sustituidas en "_cp1252 +
                            g.Nombre(a) + " las producciones de " + g.Nombre(d[0]) + ".");
          for (const Derecha& delta : g.Reglas(d[0])) {
            Derecha nueva = delta;
            nueva.insert(nueva.end(), d.begin() + 1, d.end());
            tamano += nueva.size() + 1;
            trabajo += nueva.size() + 1;
            nuevas.push_back(std::move(nueva));
          }
          // Long cycles rewrite ever longer productions: the work is bounded too.
          if (tamano > limite || trabajo > 16 * limite) return Fin::Crece;
        }
        g.PonerReglas(a, std::move(nuevas));
        if (Excede()) return Fin::Crece;
      }
      Directa(a, miembros);
      if (Excede()) return Fin::Crece;
    }
  }
  return CicloRestante().empty() ? Fin::Hecho : Fin::Ciclo;
}

std::vector<int> Transformador::EntradasAlFinal(const std::vector<int>& grupo,
                                                const GramaticaPlana& plana) {
  const std::set<int> miembros(grupo.begin(), grupo.end());
  std::vector<int> orden, entradas;
  for (const int x : grupo) {
    bool entrada = x == g.Axioma();
    for (const auto& [p, posicion] : plana.Apariciones(x))
      entrada = entrada || posicion > 0 || !miembros.count(plana.Antecedente(p));
    (entrada ? entradas : orden).push_back(x);
  }
  orden.insert(orden.end(), entradas.begin(), entradas.end());
  if (orden == grupo) return orden;
  reordenado = true;
  std::vector<std::string> antes, despues;
  for (const int x : grupo) antes.push_back(g.Nombre(x));
  for (const int x : orden) despues.push_back(g.Nombre(x));
  std::string lista;
  for (const std::string& nombre : despues) lista += (lista.empty() ? "" : ", ") + nombre;
  pasos.push_back("Recursividad por la izquierda indirecta entre "_cp1252 + Enumerar(antes) +
                  ": se sustituye en el orden "_cp1252 + lista +
                  ", que deja menos conflictos LL(1) que el de NoTerminales.");
  return orden;
}

// A -> A α1 | ... | β1 | ... becomes A -> β1 Aprima | ..., Aprima -> α1 Aprima | ... | lambda.
void Transformador::Directa(int a, const std::set<int>& grupo) {
  std::vector<Derecha> alfas, betas;
  bool unitaria = false;
  for (const Derecha& d : g.Reglas(a)) {
    if (d.empty() || d[0] != a)
      betas.push_back(d);
    else if (d.size() == 1)
      unitaria = true;
    else
      alfas.emplace_back(d.begin() + 1, d.end());
  }
  const std::string nombre = g.Nombre(a);  // a copy: new symbols move the names
  if (unitaria)
    pasos.push_back("Quitada la producción "_cp1252 + nombre + " -> " + nombre +
                    ", que no cambia el lenguaje.");
  if (alfas.empty()) {
    if (unitaria) g.PonerReglas(a, std::move(betas));
    return;
  }
  if (betas.empty()) {
    pasos.push_back(nombre +
                    " no deriva ninguna cadena de terminales: se quitan sus producciones "
                    "recursivas por la izquierda.");
    g.PonerReglas(a, {});
    return;
  }
  // A -> A α | lambda is A -> α A | lambda, when no α starts the recursion again.
  const bool soloLambda = betas.size() == 1 && betas[0].empty();
  if (soloLambda && std::none_of(alfas.begin(), alfas.end(),
                                 [&](const Derecha& d) { return grupo.count(d[0]) > 0; })) {
    for (Derecha& alfa : alfas) alfa.push_back(a);
    alfas.emplace_back();
    g.PonerReglas(a, std::move(alfas));
    pasos.push_back("Recursividad por la izquierda directa de "_cp1252 + nombre +
                    ": sus producciones pasan a ser recursivas por la derecha.");
    return;
  }
  const int prima = g.Nuevo(a, "prima");
  for (Derecha& beta : betas) beta.push_back(prima);
  for (Derecha& alfa : alfas) alfa.push_back(prima);
  alfas.emplace_back();
  g.PonerReglas(a, std::move(betas));
  g.PonerReglas(prima, std::move(alfas));
  pasos.push_back("Recursividad por la izquierda directa de "_cp1252 + nombre +
                  ": eliminada con el nuevo símbolo "_cp1252 + g.Nombre(prima) + ".");
}

bool Transformador::QuitarLambdas() {
  const GramaticaPlana plana = g.Plana();
  const std::vector<char> anulables = Anulables(plana);
  if (std::none_of(anulables.begin(), anulables.end(), [](char c) { return c != 0; })) return false;
  pasos.push_back(
      "Quitadas las producciones lambda, que impiden quitar la recursividad por la izquierda."_cp1252);
  std::vector<int> orden = g.Orden();
  for (const int a : orden) {
    std::vector<Derecha> nuevas;
    for (const Derecha& d : g.Reglas(a)) {
      std::vector<std::size_t> opcionales;
      for (std::size_t i = 0; i < d.size(); ++i)
        if (anulables[d[i]]) opcionales.push_back(i);
      if (opcionales.size() > 20 || g.Tamano() + (d.size() << opcionales.size()) > limite) {
        crecio = true;
        return true;
      }
      // Each subset of the nullable positions, as a mask, is left out once.
      for (std::size_t mascara = 0; mascara < (std::size_t{1} << opcionales.size()); ++mascara) {
        Derecha variante;
        for (std::size_t i = 0, k = 0; i < d.size(); ++i) {
          const bool opcional = k < opcionales.size() && opcionales[k] == i;
          if (!opcional || !(mascara >> k & 1)) variante.push_back(d[i]);
          if (opcional) ++k;
        }
        if (!variante.empty()) nuevas.push_back(std::move(variante));
      }
    }
    g.PonerReglas(a, std::move(nuevas));
    if (Excede()) return true;
  }
  const int s = g.Axioma();
  if (!anulables[s]) return true;
  const bool enDerechas = std::any_of(orden.begin(), orden.end(), [&](int a) {
    return std::any_of(g.Reglas(a).begin(), g.Reglas(a).end(), [&](const Derecha& d) {
      return std::find(d.begin(), d.end(), s) != d.end();
    });
  });
  if (!enDerechas) {
    std::vector<Derecha> reglas = g.Reglas(s);
    reglas.emplace_back();
    g.PonerReglas(s, std::move(reglas));
    return true;
  }
  // The axiom stays nullable, so it leaves the right sides to a copy that is not.
  const int copia = g.Nuevo(s, "sinlambda");
  g.PonerReglas(copia, g.Reglas(s));
  orden.push_back(copia);
  for (const int a : orden) {
    std::vector<Derecha> reglas = g.Reglas(a);
    for (Derecha& d : reglas) std::replace(d.begin(), d.end(), s, copia);
    g.PonerReglas(a, std::move(reglas));
  }
  g.PonerReglas(s, {Derecha{copia}, Derecha{}});
  pasos.push_back("El axioma " + g.Nombre(s) + " deriva la cadena vacía: conserva "_cp1252 +
                  g.TextoRegla(s, {}) + " y sus demás producciones pasan al nuevo símbolo "_cp1252 +
                  g.Nombre(copia) + ".");
  return true;
}

bool Transformador::QuitarCiclosUnitarios() {
  const std::vector<int> orden = g.Orden();
  const int n = static_cast<int>(orden.size());
  std::map<int, int> posicion;
  for (int i = 0; i < n; ++i) posicion[orden[i]] = i;
  auto unitaria = [&](const Derecha& d) { return d.size() == 1 && !g.EsTerminal(d[0]); };
  std::vector<int> inicio{0}, destinos;
  for (const int a : orden) {
    for (const Derecha& d : g.Reglas(a))
      if (unitaria(d)) destinos.push_back(posicion[d[0]]);
    inicio.push_back(static_cast<int>(destinos.size()));
  }
  int numComponentes = 0;
  const std::vector<int> componente = Componentes(inicio, destinos, numComponentes);
  std::vector<std::vector<int>> ciclos(static_cast<std::size_t>(numComponentes));
  for (int i = 0; i < n; ++i) ciclos[componente[i]].push_back(orden[i]);
  std::sort(ciclos.begin(), ciclos.end(),
            [&](const auto& x, const auto& y) { return posicion[x[0]] < posicion[y[0]]; });
  bool alguno = false;
  for (const std::vector<int>& ciclo : ciclos) {
    if (ciclo.size() < 2) continue;
    alguno = true;
    const std::set<int> miembros(ciclo.begin(), ciclo.end());
    auto propias = [&](int y) {
      std::vector<Derecha> reglas;
      for (const Derecha& d : g.Reglas(y))
        if (!unitaria(d) || !miembros.count(d[0])) reglas.push_back(d);
      return reglas;
    };
    // Each member gets the others' productions: check the growth before making it.
    std::size_t comparten = 0;
    for (const int y : ciclo)
      for (const Derecha& d : propias(y)) comparten += d.size() + 1;
    if (g.Tamano() + comparten * (ciclo.size() - 1) > limite) {
      crecio = true;
      return true;
    }
    std::map<int, std::vector<Derecha>> nuevas;
    std::vector<std::string> nombres;
    for (const int x : ciclo) {
      nombres.push_back(g.Nombre(x));
      nuevas[x] = propias(x);
      for (const int y : ciclo)
        if (y != x) {
          const std::vector<Derecha> otras = propias(y);
          nuevas[x].insert(nuevas[x].end(), otras.begin(), otras.end());
        }
    }
    for (auto& [x, reglas] : nuevas) g.PonerReglas(x, std::move(reglas));
    pasos.push_back("Quitado el ciclo de producciones unitarias entre "_cp1252 + Enumerar(nombres) +
                    ".");
  }
  // A -> A alone is a cycle of one.
  for (const int a : orden) {
    std::vector<Derecha> reglas = g.Reglas(a);
    const auto fin = std::remove(reglas.begin(), reglas.end(), Derecha{a});
    if (fin == reglas.end()) continue;
    alguno = true;
    reglas.erase(fin, reglas.end());
    g.PonerReglas(a, std::move(reglas));
    pasos.push_back("Quitada la producción "_cp1252 + g.TextoRegla(a, {a}) +
                    ", que no cambia el lenguaje.");
  }
  return alguno;
}

Fin Transformador::Factorizar() {
  const bool alguno = FactorizarTodos();
  if (Excede()) return Fin::Crece;
  if (!alguno) pasos.push_back("No hay prefijos comunes que sacar por la izquierda.");
  return CicloRestante().empty() ? Fin::Hecho : Fin::Ciclo;
}

bool Transformador::FactorizarTodos() {
  bool alguno = false;
  for (const int declarado : g.Declarados()) {
    // The new ones named after it too, also those this loop makes.
    for (std::size_t k = 0; k <= g.Derivados(declarado).size(); ++k) {
      alguno |= FactorizarUno(k == 0 ? declarado : g.Derivados(declarado)[k - 1]);
      if (Excede()) return alguno;
    }
  }
  return alguno;
}

bool Transformador::FactorizarUno(int a) {
  bool alguno = false;
  for (;;) {
    const std::vector<Derecha> reglas = g.Reglas(a);
    std::vector<std::size_t> ordenadas(reglas.size());
    std::iota(ordenadas.begin(), ordenadas.end(), 0);
    std::stable_sort(ordenadas.begin(), ordenadas.end(),
                     [&](std::size_t i, std::size_t j) { return reglas[i] < reglas[j]; });
    // The common prefix of neighbours in sorted order; the longest is the one to factor.
    std::vector<std::size_t> comun(reglas.size(), 0);
    std::size_t largo = 0;
    for (std::size_t i = 0; i + 1 < ordenadas.size(); ++i) {
      const Derecha& x = reglas[ordenadas[i]];
      const Derecha& y = reglas[ordenadas[i + 1]];
      comun[i] = static_cast<std::size_t>(
          std::mismatch(x.begin(), x.end(), y.begin(), y.end()).first - x.begin());
      largo = std::max(largo, comun[i]);
    }
    if (largo == 0) return alguno;
    // Every run of neighbours sharing that many symbols is one group; groups go in the
    // order of their first production.
    std::vector<std::vector<std::size_t>> grupos;
    for (std::size_t i = 0; i + 1 < ordenadas.size(); ++i) {
      if (comun[i] != largo) continue;
      if (i == 0 || comun[i - 1] != largo) grupos.push_back({ordenadas[i]});
      grupos.back().push_back(ordenadas[i + 1]);
    }
    for (auto& grupo : grupos) std::sort(grupo.begin(), grupo.end());
    std::sort(grupos.begin(), grupos.end());
    std::vector<Derecha> nuevas = reglas;
    std::vector<char> quitada(reglas.size(), 0);
    for (const auto& grupo : grupos) {
      const Derecha prefijo(reglas[grupo[0]].begin(),
                            reglas[grupo[0]].begin() + static_cast<std::ptrdiff_t>(largo));
      const int nuevo = g.Nuevo(a, "factor");
      std::vector<Derecha> restos;
      for (const std::size_t i : grupo) {
        restos.emplace_back(reglas[i].begin() + static_cast<std::ptrdiff_t>(largo),
                            reglas[i].end());
        quitada[i] = 1;
      }
      g.PonerReglas(nuevo, std::move(restos));
      nuevas[grupo[0]] = prefijo;
      nuevas[grupo[0]].push_back(nuevo);
      quitada[grupo[0]] = 0;
      pasos.push_back("Factor común por la izquierda en "_cp1252 + g.Nombre(a) + ": el prefijo " +
                      g.Forma(prefijo) + " pasa a " + g.TextoRegla(a, nuevas[grupo[0]]) + ".");
      alguno = true;
    }
    std::vector<Derecha> quedan;
    for (std::size_t i = 0; i < nuevas.size(); ++i)
      if (!quitada[i]) quedan.push_back(std::move(nuevas[i]));
    g.PonerReglas(a, std::move(quedan));
    if (Excede()) return alguno;
  }
}

// "Quitado el símbolo X" or "Quitados los símbolos X e Y".
std::string Quitados(const std::vector<std::string>& nombres) {
  return nombres.size() == 1 ? "Quitado el símbolo "_cp1252 + nombres[0]
                             : "Quitados los símbolos "_cp1252 + Enumerar(nombres);
}

void Transformador::QuitarImproductivos(bool vacios) {
  const std::vector<char> productivos = Productivos(g.Plana());
  std::vector<std::string> nombres;
  for (const int a : g.Orden()) {
    if (!productivos[a]) {
      nombres.push_back(g.Nombre(a));
      g.Quitar(a);
      continue;
    }
    std::vector<Derecha> reglas = g.Reglas(a);
    std::erase_if(reglas, [&](const Derecha& d) {
      return std::any_of(d.begin(), d.end(), [&](int s) { return !productivos[s]; });
    });
    g.PonerReglas(a, std::move(reglas));
  }
  if (nombres.empty()) return;
  const bool uno = nombres.size() == 1;
  const std::string& porque = vacios
                                  ? (uno ? ", que solo derivaba la cadena vacía,"_cp1252
                                         : ", que solo derivaban la cadena vacía,"_cp1252)
                                  : (uno ? ", que no deriva ninguna cadena de terminales,"_cp1252
                                         : ", que no derivan ninguna cadena de terminales,"_cp1252);
  pasos.push_back(
      Quitados(nombres) + porque +
      (uno ? " con las producciones que lo usan." : " con las producciones que los usan."));
}

void Transformador::QuitarInaccesibles() {
  const std::vector<char> accesibles = Accesibles(g.Plana());
  std::vector<std::string> nombres;
  for (const int a : g.Orden())
    if (!accesibles[a]) {
      nombres.push_back(g.Nombre(a));
      g.Quitar(a);
    }
  if (!nombres.empty())
    pasos.push_back(Quitados(nombres) + (nombres.size() == 1
                                             ? ", al que no se llega desde el axioma."
                                             : ", a los que no se llega desde el axioma."));
}

std::vector<std::string> Transformador::CicloRestante() const {
  const GramaticaPlana plana = g.Plana();
  const std::vector<char> anulables = Anulables(plana);
  const RecursividadIzquierda recursividad(plana, anulables);
  if (!recursividad.Alguna()) return {};
  std::vector<std::string> textos;
  for (const int a : g.Orden()) {
    if (!recursividad.Recursivo(a)) continue;
    for (const auto& [p, posicion] : recursividad.Ciclo(a))
      textos.push_back(plana.TextoProduccion(p));
    if (textos.empty()) textos.push_back(g.Nombre(a));  // a cycle too long to show
    return textos;
  }
  return textos;
}

std::vector<Conflicto> Transformador::Conflictos() const {
  int primera = 0;
  const std::string texto = g.Texto(&primera);
  std::vector<std::pair<int, int>> enLinea;  // from the first production's line on
  for (const int a : g.Orden())
    for (std::size_t i = 0; i < g.Reglas(a).size(); ++i)
      enLinea.emplace_back(a, static_cast<int>(i));
  const ErroresGuardados guardados;
  const ResultadoAnalisis analisis = AnalizarTexto(texto, false);
  std::vector<Conflicto> encontrados;
  for (const Error& registro : analisis.registros) {
    Conflicto c{registro};
    const std::array<int, 2> lineas{registro.Linea1(), registro.Linea2()};
    for (std::size_t k = 0; k < 2; ++k) {
      const int n = lineas[k] - primera;
      if (n < 0 || n >= static_cast<int>(enLinea.size())) continue;
      const auto [a, i] = enLinea[static_cast<std::size_t>(n)];
      if (c.a >= 0 && c.a != a) continue;
      c.a = a;
      c.reglas[k] = i;
    }
    encontrados.push_back(std::move(c));
  }
  return encontrados;
}

bool Transformador::SustituirRonda() {
  const Editable antes = g;  // a non-terminal substituted is taken as the round found it
  std::map<int, std::set<int>> marcadas;
  for (const Conflicto& c : conflictos) {
    const CodigoError codigo = c.registro.Codigo();
    if ((codigo != CodigoError::FirstCompartido &&
         codigo != CodigoError::DosProduccionesAnulables) ||
        c.reglas[0] < 0 || c.reglas[1] < 0)
      continue;
    std::vector<std::string> sustituidos;
    for (const int i : c.reglas) {
      const Derecha& d = antes.Reglas(c.a)[static_cast<std::size_t>(i)];
      if (d.empty() || antes.EsTerminal(d[0]) || !marcadas[c.a].insert(i).second) continue;
      if (std::find(sustituidos.begin(), sustituidos.end(), antes.Nombre(d[0])) ==
          sustituidos.end())
        sustituidos.push_back(antes.Nombre(d[0]));
    }
    if (sustituidos.empty()) continue;
    const auto regla = [&](int k) {
      return antes.TextoRegla(c.a, antes.Reglas(c.a)[static_cast<std::size_t>(c.reglas[k])]);
    };
    pasos.push_back("Conflicto LL(1) en " + antes.Nombre(c.a) + " entre " + regla(0) + " y " +
                    regla(1) + ": sustituidas en " + antes.Nombre(c.a) + " las producciones de " +
                    Enumerar(sustituidos) + ".");
  }
  std::size_t tamano = g.Tamano();
  for (const auto& [a, indices] : marcadas) {
    std::vector<Derecha> nuevas;
    const std::vector<Derecha>& reglas = antes.Reglas(a);
    for (std::size_t i = 0; i < reglas.size(); ++i) {
      if (!indices.count(static_cast<int>(i))) {
        nuevas.push_back(reglas[i]);
        continue;
      }
      for (const Derecha& delta : antes.Reglas(reglas[i][0])) {
        Derecha nueva = delta;
        nueva.insert(nueva.end(), reglas[i].begin() + 1, reglas[i].end());
        tamano += nueva.size() + 1;
        nuevas.push_back(std::move(nueva));
      }
      if (tamano > limite) {
        crecio = true;
        return true;
      }
    }
    g.PonerReglas(a, std::move(nuevas));
  }
  return !marcadas.empty();
}

void Transformador::Sustituir(int rondas) {
  conflictos = Conflictos();
  if (conflictos.empty() || rondas <= 0) return;
  // Only conflicts count: a round must never bring back left recursion, nor leave a symbol
  // without productions.
  auto soloConflictos = [](const std::vector<Conflicto>& errores) {
    return std::all_of(errores.begin(), errores.end(), [](const Conflicto& c) {
      return c.registro.Codigo() >= CodigoError::FirstCompartido;
    });
  };
  Transformador mejor = *this;
  for (int ronda = 0; ronda < rondas && !conflictos.empty(); ++ronda) {
    if (!SustituirRonda() || Excede()) break;
    FactorizarTodos();
    if (Excede()) break;
    QuitarInaccesibles();
    conflictos = Conflictos();
    if (conflictos.size() < mejor.conflictos.size() && soloConflictos(conflictos)) mejor = *this;
  }
  *this = std::move(mejor);
}

std::string Transformador::TextoConflicto(const Conflicto& c,
                                          const std::vector<char>& anulables) const {
  const std::string& simbolo = c.registro.Simbolo();
  if (c.a < 0 || c.reglas[0] < 0 || c.reglas[1] < 0)
    return "Queda un error LL(1) en " + simbolo + ".";
  const std::string& a = g.Nombre(c.a);
  std::array<std::string, 2> reglas;
  std::array<bool, 2> anulable{};
  for (std::size_t k = 0; k < 2; ++k) {
    const Derecha& d = g.Reglas(c.a)[static_cast<std::size_t>(c.reglas[k])];
    reglas[k] = g.TextoRegla(c.a, d);
    anulable[k] = std::all_of(d.begin(), d.end(), [&](int s) { return anulables[s] != 0; });
  }
  const std::string cabeza = "Queda un conflicto LL(1) en " + a + ": ";
  switch (c.registro.Codigo()) {
    case CodigoError::FirstCompartido:
      return cabeza + reglas[0] + " y " + reglas[1] + " pueden empezar las dos por " + simbolo +
             ".";
    case CodigoError::DosProduccionesAnulables:
      return cabeza + reglas[0] + " y " + reglas[1] + " derivan las dos la cadena vacía."_cp1252;
    case CodigoError::EnFirstYFollow:
      // The nullable production second.
      if (anulable[0] && !anulable[1]) std::swap(reglas[0], reglas[1]);
      return cabeza + simbolo + " puede empezar " + a + " (" + reglas[0] + ") o seguir a " + a +
             " (" + reglas[1] + ").";
    default:
      return "Queda un error LL(1) en " + a + ".";
  }
}

void Transformador::AnotarConflictos() {
  constexpr std::size_t kAnotados = 10;
  const std::vector<char> anulables = Anulables(g.Plana());
  for (std::size_t k = 0; k < conflictos.size() && k < kAnotados; ++k)
    pasos.push_back(TextoConflicto(conflictos[k], anulables));
  if (conflictos.size() > kAnotados)
    pasos.push_back("Quedan además "_cp1252 + std::to_string(conflictos.size() - kAnotados) +
                    " errores LL(1).");
}

std::string SinCiclo(const std::vector<std::string>& ciclo) {
  std::string texto = "No se puede eliminar la recursividad por la izquierda:";
  for (std::size_t i = 0; i < ciclo.size(); ++i) texto += (i ? ", " : " ") + ciclo[i];
  return texto + ".";
}

const std::string& Demasiado() {
  return "La transformación se detiene: la gramática crecería demasiado."_cp1252;
}

// Left recursion out, prefixes factored, then conflicts substituted away.
Fin Reescribir(Transformador& t, int rondas) {
  Fin fin = Fin::Hecho;
  if (t.CicloRestante().empty()) {
    t.pasos.push_back("No hay recursividad por la izquierda.");
  } else {
    const Transformador limpia = t;
    fin = t.QuitarRecursividad();
    if (fin != Fin::Hecho) {
      // Substitution alone cannot reach recursion hidden behind nullable symbols, nor undo
      // cycles: without productions lambda and unit cycles it always ends.
      Transformador otra = limpia;
      bool cambia = otra.QuitarLambdas();
      if (cambia && !otra.Excede()) otra.QuitarImproductivos(true);
      cambia = (!otra.Excede() && otra.QuitarCiclosUnitarios()) || cambia;
      if (cambia) {
        const Fin segunda = otra.Excede() ? Fin::Crece : otra.QuitarRecursividad();
        if (segunda == Fin::Hecho || fin == Fin::Ciclo) {
          t = std::move(otra);
          fin = segunda;
        }
      }
    }
  }
  // The other order only matters where it changed something.
  if (t.entradasAlFinal && !t.reordenado) return fin;
  if (fin == Fin::Hecho) {
    t.QuitarInaccesibles();
    fin = t.Factorizar();
  }
  if (fin == Fin::Hecho) t.Sustituir(rondas);
  return fin;
}

}  // namespace

Propuesta ProponerGramatica(const ResultadoAnalisis& resultado, AjustesPropuesta ajustes) {
  return ProponerGramatica(resultado.gramatica.get(), resultado.registros, ajustes);
}

Propuesta ProponerGramatica(const CGramatica* gramatica, const std::vector<Error>& registros,
                            AjustesPropuesta ajustes) {
  Propuesta propuesta;
  if (!GramaticaAnalizada(gramatica, registros)) {
    propuesta.motivo =
        "El texto tiene errores de lectura: no se puede proponer otra gramática."_cp1252;
    return propuesta;
  }
  // The grammar as read, cleaned; made again for a second try rather than kept, since the
  // analyses made meanwhile need the room. None for an empty language.
  std::vector<std::string> repetidas;
  auto limpia = [&]() -> std::optional<Transformador> {
    Editable leida{GramaticaDe(*gramatica)};
    if (!Productivos(leida.Plana())[leida.Axioma()]) return std::nullopt;
    const std::size_t limite = 8 * leida.Tamano() + 4096;
    repetidas.clear();
    for (const int a : leida.Orden()) {
      std::set<Derecha> vistas;
      for (const Derecha& d : leida.Reglas(a))
        if (!vistas.insert(d).second)
          repetidas.push_back("Quitada la producción repetida "_cp1252 + leida.TextoRegla(a, d) +
                              ".");
      leida.PonerReglas(a, leida.Reglas(a));
    }
    Transformador t(std::move(leida), limite);
    t.QuitarImproductivos(false);
    t.QuitarInaccesibles();
    return t;
  };
  std::optional<Transformador> primera = limpia();
  if (!primera) {
    propuesta.motivo = "El axioma "_cp1252 + gramatica->Axioma()->Nombre() +
                       " no deriva ninguna cadena de terminales: el lenguaje es vacío."_cp1252;
    return propuesta;
  }
  Transformador t = std::move(*primera);
  Fin fin = Reescribir(t, ajustes.rondas);
  if (fin == Fin::Hecho && !t.conflictos.empty() && ajustes.otroOrden) {
    // Another order of substitution may leave the recursion where it does less harm.
    Transformador otroOrden = std::move(*limpia());
    otroOrden.entradasAlFinal = true;
    const Fin otro = Reescribir(otroOrden, ajustes.rondas);
    if (otro == Fin::Hecho && otroOrden.reordenado &&
        otroOrden.conflictos.size() < t.conflictos.size())
      t = std::move(otroOrden);
  }
  if (fin == Fin::Hecho) t.AnotarConflictos();
  propuesta.pasos = repetidas;
  propuesta.pasos.insert(propuesta.pasos.end(), t.pasos.begin(), t.pasos.end());
  if (fin == Fin::Crece) {
    propuesta.motivo = Demasiado();
    propuesta.pasos.push_back(Demasiado());
  } else if (fin == Fin::Ciclo) {
    propuesta.motivo = SinCiclo(t.CicloRestante());
    propuesta.pasos.push_back(propuesta.motivo);
  } else {
    propuesta.texto = t.g.Texto();
    propuesta.ll1 = t.conflictos.empty();
  }
  return propuesta;
}

std::string TextoConPasos(const Propuesta& propuesta) {
  if (!propuesta.texto) return {};
  std::string texto;
  for (const std::string& paso : propuesta.pasos) texto += "//// " + paso + "\r\n";
  return texto + *propuesta.texto;
}
