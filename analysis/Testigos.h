// Short witnesses of LL(1) conflicts in a GramaticaPlana, chosen as a person would: the
// shortest terminal string each non-terminal derives (Knuth's generalisation of Dijkstra's
// algorithm), the shortest context each one stands in (S =>* w A β, β completed), and, for a
// terminal a, the shortest strings that begin with a; from them, leftmost derivations and whole
// sentences. "Shortest" is the fewest terminals, then the fewest steps. The tables of the
// grammar are computed once; those of a terminal when it is asked for, kept until another
// terminal is asked for.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class GramaticaPlana;

// A leftmost derivation: the sentential forms from the first one, and the production that
// rewrites the leftmost non-terminal of form k into form k+1.
struct DerivacionPlana {
  std::vector<std::vector<int>> formas;
  std::vector<int> producciones;
};

// Two sentences of the grammar that share the prefix w and then go two ways at A.
struct TestigoPlano {
  std::vector<int> prefijo;                     // w, with S =>* w A β
  std::array<DerivacionPlana, 2> derivaciones;  // one per production of the conflict
  std::array<std::vector<int>, 2> frases;       // the two whole sentences
};

class Testigos {
 public:
  // Witnesses longer than these are not built: contexts or derivations that yield more
  // terminals, derivations of more steps, contexts derived in more steps.
  static constexpr std::uint64_t kMaxLongitud = 500;
  static constexpr std::uint64_t kMaxPasos = 500;
  static constexpr std::uint64_t kMaxPasosContexto = 100000;

  // The grammar and the nullable flags must outlive the object.
  Testigos(const GramaticaPlana& g, const std::vector<char>& anulables);
  ~Testigos();
  Testigos(const Testigos&) = delete;
  Testigos& operator=(const Testigos&) = delete;

  // Productions p and q of one non-terminal A whose FIRST sets share terminal a: each
  // derivation starts with its production and reaches a string that begins with a.
  std::optional<TestigoPlano> PrimeroComun(int p, int q, int a);
  // Two nullable productions p and q of A: both derivations reach the empty string, and the
  // two sentences are the same sentence.
  std::optional<TestigoPlano> DosAnulables(int p, int q);
  // p derives a string that begins with a, q is nullable, and a can follow A: the first
  // derivation is of A by p; the second, of A and what follows it (A to the empty string by
  // q, then what follows to a string that begins with a).
  std::optional<TestigoPlano> PrimeroSiguiente(int p, int q, int a);

 private:
  struct Tablas;
  std::unique_ptr<Tablas> t;
};
