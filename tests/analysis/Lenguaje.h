// Test helpers about the language of a grammar, written from the textbook and independent of
// the units under test: the grammar of an analysis by names, an Earley recogniser (which takes
// lambda and left recursion), every sentence up to a length, the check of a leftmost
// derivation, and random small grammars.
#pragma once

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Cgramatica.h"
#include "Simbolos.h"

namespace prueba {

using Frase = std::vector<std::string>;

class Libro {
 public:
  explicit Libro(const CGramatica& g) {
    axioma = g.Axioma()->Nombre();
    for (const PSimbolo t : g.Terminales())
      if (t->Nombre() != NombreFinCadena()) terminales.push_back(t->Nombre());
    for (const CSimboloNoTerminal* a : g.NoTerminalesDeclarados())
      for (const auto& p : a->Producciones()) {
        Frase derecha;
        for (const CSimbolo* x : p->Consecuente())
          if (x) derecha.push_back(x->Nombre());
        reglas.push_back({a->Nombre(), derecha});
      }
    // nullable(A) when some right side is all nullable
    for (bool cambio = true; cambio;) {
      cambio = false;
      for (const auto& [a, derecha] : reglas)
        if (!anulable.count(a) && std::all_of(derecha.begin(), derecha.end(),
                                              [&](auto& x) { return anulable.count(x) > 0; }))
          cambio = anulable.insert(a).second;
    }
  }

  bool Genera(const Frase& frase) const {
    std::vector<Items> tabla{Cerrar({{-1, 0, 0}}, 0, {})};
    for (std::size_t i = 0; i < frase.size(); ++i) tabla.push_back(Avanzar(tabla, frase[i]));
    return Acepta(tabla.back());
  }

  // Every sentence of at most `n` terminals: a walk over prefixes that stops where the
  // recogniser has nothing left.
  std::set<Frase> Frases(std::size_t n) const {
    std::set<Frase> frases;
    Frase prefijo;
    std::vector<Items> tabla{Cerrar({{-1, 0, 0}}, 0, {})};
    std::function<void()> bajar = [&] {
      if (Acepta(tabla.back())) frases.insert(prefijo);
      if (prefijo.size() == n) return;
      for (const std::string& t : terminales) {
        Items siguiente = Avanzar(tabla, t);
        if (siguiente.empty()) continue;
        tabla.push_back(std::move(siguiente));
        prefijo.push_back(t);
        bajar();
        prefijo.pop_back();
        tabla.pop_back();
      }
    };
    bajar();
    return frases;
  }

  bool EsTerminal(const std::string& x) const {
    return std::find(terminales.begin(), terminales.end(), x) != terminales.end();
  }
  bool Anulable(const std::string& x) const { return anulable.count(x) > 0; }

  std::string axioma;
  std::vector<std::string> terminales;
  std::vector<std::pair<std::string, Frase>> reglas;
  std::set<std::string> anulable;

 private:
  struct Item {
    int regla;  // -1: the start item S' -> . S
    std::size_t punto, origen;
    bool operator<(const Item& o) const {
      return std::tie(regla, punto, origen) < std::tie(o.regla, o.punto, o.origen);
    }
  };
  using Items = std::set<Item>;

  const Frase& Derecha(int r) const {
    static const Frase inicio{axioma};
    return r < 0 ? inicio : reglas[r].second;
  }
  const std::string* Siguiente(const Item& it) const {
    const Frase& d = Derecha(it.regla);
    return it.punto < d.size() ? &d[it.punto] : nullptr;
  }

  // Prediction and completion to a fixed point; a nullable symbol is also stepped over
  // (Aycock and Horspool).
  Items Cerrar(Items items, std::size_t i, const std::vector<Items>& antes) const {
    std::vector<Item> pendientes(items.begin(), items.end());
    auto anadir = [&](const Item& it) {
      if (items.insert(it).second) pendientes.push_back(it);
    };
    while (!pendientes.empty()) {
      const Item it = pendientes.back();
      pendientes.pop_back();
      if (const std::string* x = Siguiente(it)) {
        if (EsTerminal(*x)) continue;
        for (std::size_t r = 0; r < reglas.size(); ++r)
          if (reglas[r].first == *x) anadir({static_cast<int>(r), 0, i});
        if (Anulable(*x)) anadir({it.regla, it.punto + 1, it.origen});
        continue;
      }
      if (it.regla < 0) continue;
      const Items& donde = it.origen == i ? items : antes[it.origen];
      for (const Item& padre : Items(donde))
        if (const std::string* x = Siguiente(padre); x && *x == reglas[it.regla].first)
          anadir({padre.regla, padre.punto + 1, padre.origen});
    }
    return items;
  }

  Items Avanzar(const std::vector<Items>& tabla, const std::string& t) const {
    Items movidos;
    for (const Item& it : tabla.back())
      if (const std::string* x = Siguiente(it); x && *x == t)
        movidos.insert({it.regla, it.punto + 1, it.origen});
    return movidos.empty() ? movidos : Cerrar(movidos, tabla.size(), tabla);
  }

  static bool Acepta(const Items& items) { return items.count({-1, 1, 0}) > 0; }
};

// Why `d` is not a leftmost derivation of the grammar (each form the one before with its
// leftmost non-terminal rewritten by the production given for that step), or "" when it is.
template <typename Derivacion>
std::string FallaDerivacion(const Derivacion& d) {
  if (d.formas.empty() || d.producciones.size() + 1 != d.formas.size())
    return "forms and steps do not match";
  for (std::size_t k = 0; k < d.producciones.size(); ++k) {
    const auto& antes = d.formas[k];
    const auto& despues = d.formas[k + 1];
    const auto izquierdo = std::find_if(antes.begin(), antes.end(),
                                        [](const CSimbolo* s) { return !s->EsTerminal(); });
    const CProduccion* p = d.producciones[k];
    if (izquierdo == antes.end() || p->Antecedente() != *izquierdo)
      return "step " + std::to_string(k) + " does not rewrite the leftmost non-terminal";
    std::vector<const CSimbolo*> esperada(antes.begin(), izquierdo);
    for (const CSimbolo* x : p->Consecuente())
      if (x) esperada.push_back(x);
    esperada.insert(esperada.end(), izquierdo + 1, antes.end());
    if (esperada != despues) return "step " + std::to_string(k) + " is not its production";
  }
  return "";
}

// A random grammar text over terminals a, b, c and non-terminals S, A, B, C (axiom S), some
// productions of each, right sides of up to three symbols; lambda and left recursion come
// often.
inline std::string GramaticaAlAzar(std::mt19937& azar, int terminales = 2, int noTerminales = 3) {
  auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
  static const char* const ts[] = {"a", "b", "c"};
  static const char* const ns[] = {"S", "A", "B", "C"};
  std::vector<std::string> simbolos;
  std::string texto = "Terminales = {";
  for (int i = 0; i < terminales; ++i) {
    texto += std::string(" ") + ts[i];
    simbolos.push_back(ts[i]);
  }
  texto += " }\r\nNoTerminales = {";
  for (int i = 0; i < noTerminales; ++i) {
    texto += std::string(" ") + ns[i];
    simbolos.push_back(ns[i]);
  }
  texto += " }\r\nAxioma = S\r\nProducciones = {\r\n";
  for (int i = 0; i < noTerminales; ++i)
    for (int k = entre(1, 3); k > 0; --k) {
      texto += std::string(ns[i]) + " ->";
      const int largo = entre(0, 3);
      if (largo == 0) texto += " lambda";
      for (int l = 0; l < largo; ++l)
        texto += " " + simbolos[entre(0, static_cast<int>(simbolos.size()) - 1)];
      texto += "\r\n";
    }
  return texto + "}\r\n";
}

}  // namespace prueba
