// The LL(1) conditions on shared FIRST symbols (error 29) and on FIRST against FOLLOW (error 31)
// against the plain pairwise rule, on many generated grammars with many alternatives: the same
// records, in the same order for each production.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Ayuda.h"
#include "Gramaticasazar.h"

using prueba::Analisis;
using prueba::Analizar;
using prueba::Generada;
using prueba::Regla;

namespace {

using Nombres = std::set<std::string>;

// Up to five terminals and four non-terminals, up to ten alternatives each, most of them led by a
// terminal so that they clash; some lambda, some led by a non-terminal (recursion, nesting).
Generada GenerarConAlternativas(std::mt19937& azar) {
  auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
  Generada g;
  const char* ts[] = {"a", "b", "c", "d", "e"};
  const char* ns[] = {"S", "A", "B", "C"};
  for (int i = 0, n = entre(1, 5); i < n; ++i) g.terminales.push_back(ts[i]);
  for (int i = 0, n = entre(1, 4); i < n; ++i) g.noTerminales.push_back(ns[i]);
  auto cualquiera = [&](const std::vector<std::string>& v) { return v[entre(0, v.size() - 1)]; };
  for (const auto& a : g.noTerminales) {
    for (int k = entre(a == "S" ? 1 : 0, 10); k > 0; --k) {
      Regla r{a, {}};
      const int forma = entre(0, 9);
      if (forma == 0) {
        g.reglas.push_back(r);  // lambda
        continue;
      }
      r.derecha.push_back(forma <= 6 ? cualquiera(g.terminales) : cualquiera(g.noTerminales));
      for (int l = entre(0, 2); l > 0; --l)
        r.derecha.push_back(entre(0, 1) ? cualquiera(g.terminales) : cualquiera(g.noTerminales));
      g.reglas.push_back(r);
    }
  }
  return g;
}

Nombres NombresDe(const ConjuntoSimbolos& conjunto) {
  Nombres nombres;
  for (const PSimbolo s : conjunto) nombres.insert(s->Nombre());
  return nombres;
}

Nombres Comunes(const Nombres& x, const Nombres& y) {
  Nombres comunes;
  std::set_intersection(x.begin(), x.end(), y.begin(), y.end(),
                        std::inserter(comunes, comunes.begin()));
  return comunes;
}

// A record as (line, line, symbol).
using Registro = std::tuple<int, int, std::string>;

struct Esperado {
  // Error 29 by the line of the production checked, its earlier productions in order.
  std::map<int, std::vector<Registro>> compartidos;
  // Error 31 by non-terminal, its productions in order.
  std::map<std::string, std::vector<Registro>> conFollow;
  std::map<std::string, Nombres> first;
};

// The pairwise rule: production i, unless it is left-recursive, against each earlier one.
Esperado ReglaPorPares(const Analisis& a) {
  std::set<int> recursivas;  // the lines errors 27 and 28 name
  for (const Error& e : a.registros)
    if (e.Codigo() == CodigoError::RecursividadIzquierda ||
        e.Codigo() == CodigoError::AfectadaPorRecursividad)
      recursivas.insert(e.Linea1());
  Esperado esperado;
  for (const CSimboloNoTerminal* nt : a.gramatica->NoTerminalesDeclarados()) {
    const auto& producciones = nt->Producciones();
    Nombres first;
    for (std::size_t i = 0; i < producciones.size(); ++i) {
      const CProduccion& p = *producciones[i];
      if (recursivas.count(p.Linea())) continue;
      const Nombres fi = NombresDe(p.ConjuntoFirst());
      const Nombres comunes = Comunes(first, fi);
      for (std::size_t j = 0; j < i && !comunes.empty(); ++j) {
        const Nombres k = Comunes(comunes, NombresDe(producciones[j]->ConjuntoFirst()));
        if (!k.empty())
          esperado.compartidos[p.Linea()].emplace_back(producciones[j]->Linea(), p.Linea(),
                                                       *k.begin());
      }
      first.insert(fi.begin(), fi.end());
    }
    esperado.first[nt->Nombre()] = first;
    const CProduccion* anulable = nt->ProduccionAnulable();
    if (!anulable) continue;
    const Nombres comunes = Comunes(first, NombresDe(nt->ConjuntoFollow()));
    for (const auto& p : producciones) {
      const Nombres k = Comunes(comunes, NombresDe(p->ConjuntoFirst()));
      if (p.get() != anulable && !k.empty())
        esperado.conFollow[nt->Nombre()].emplace_back(std::min(p->Linea(), anulable->Linea()),
                                                      std::max(p->Linea(), anulable->Linea()),
                                                      *k.begin());
    }
  }
  return esperado;
}

}  // namespace

TEST(PropiedadesFirstComun, sameRecordsAsThePairwiseRule) {
  std::mt19937 azar(20240611);
  int conflictos = 0;
  for (int caso = 0; caso < 2000; ++caso) {
    const Generada g = GenerarConAlternativas(azar);
    const Analisis a = Analizar(g.Texto());
    ASSERT_TRUE(a.gramatica && a.gramatica->Axioma()) << g.Texto();
    const Esperado esperado = ReglaPorPares(a);

    // The records of one production come together; a production comes once.
    std::map<int, std::vector<Registro>> compartidos;
    std::map<std::string, std::vector<Registro>> conFollow;
    int anterior = -1;
    for (const Error& e : a.registros) {
      const Registro r{e.Linea1(), e.Linea2(), e.Simbolo()};
      if (e.Codigo() == CodigoError::FirstCompartido) {
        ASSERT_TRUE(e.Linea2() == anterior || !compartidos.count(e.Linea2())) << g.Texto();
        compartidos[e.Linea2()].push_back(r);
        ++conflictos;
      } else if (e.Codigo() == CodigoError::EnFirstYFollow) {
        // Both lines are productions of the non-terminal.
        const CProduccion* p = nullptr;
        for (const CSimboloNoTerminal* nt : a.gramatica->NoTerminalesDeclarados())
          for (const auto& q : nt->Producciones())
            if (q->Linea() == e.Linea1()) p = q.get();
        ASSERT_TRUE(p) << g.Texto();
        conFollow[p->Antecedente()->Nombre()].push_back(r);
      }
      anterior = e.Codigo() == CodigoError::FirstCompartido ? e.Linea2() : -1;
    }
    EXPECT_EQ(compartidos, esperado.compartidos) << g.Texto();
    EXPECT_EQ(conFollow, esperado.conFollow) << g.Texto();
    for (const auto& [nombre, first] : esperado.first)
      EXPECT_EQ(NombresDe(a.Nt(nombre)->ConjuntoFirst()), first) << nombre << "\n" << g.Texto();
    if (HasFailure()) return;
  }
  EXPECT_GT(conflictos, 10000);  // the grammars do clash, and often
}
