#include "Motorfollow.h"

#include <utility>

#include "Cgramatica.h"
#include "Codificacion.h"
#include "Conjuntosexactos.h"
#include "Mostraranalisis.h"
#include "Simbolos.h"

void MotorFollow::Calcular(CSimboloNoTerminal* raiz) {
  MotorFollow motor;
  motor.Empezar(raiz);
  motor.Ejecutar();
}

void MotorFollow::Empezar(CSimboloNoTerminal* a) {
  if (a->followEnCurso) return;
  a->followEnCurso = true;
  MostrarAnalisis([a] { return "Calculando FOLLOW de "_cp1252 + a->Nombre(); });
  pila.push_back({a, 0});
}

void MotorFollow::Ejecutar() {
  while (!pila.empty()) {
    Marco& marco = pila.back();
    CSimboloNoTerminal* a = marco.simbolo;
    const std::span<const Aparicion> apariciones = a->Apariciones();
    if (marco.aparicion == apariciones.size()) {
      pila.pop_back();
      Terminar(a);
      continue;
    }
    const auto [produccion, posicion] = apariciones[marco.aparicion++];
    if (!RestoAnulable(produccion, posicion)) continue;
    CSimboloNoTerminal* antecedente = produccion->Antecedente();
    if (antecedente && !antecedente->followEnCurso && !antecedente->followCalculado)
      Empezar(antecedente);
  }
}

// Asking a computed symbol again changes nothing, so in long right sides the computed nullable
// runs are jumped over: without that, a production of n nullable symbols would cost n * n
// steps.
bool MotorFollow::RestoAnulable(CProduccion* produccion, int posicion) {
  const auto& consecuente = produccion->consecuente;
  const int n = static_cast<int>(consecuente.size());
  auto& salto = produccion->saltoAnulable;
  if (n > kLargoSinSaltos && salto.empty()) {
    salto.resize(static_cast<std::size_t>(n) + 1);
    for (int j = 0; j <= n; ++j) salto[j] = j;
  }
  for (int j = Siguiente(salto, posicion + 1); j < n; j = Siguiente(salto, j + 1)) {
    CSimbolo* x = consecuente[j];
    bool r = false;
    CSimbolo* s = nullptr;
    x->First(r, s);
    if (!x->Anulable()) return false;
    if (!salto.empty()) salto[j] = j + 1;
  }
  return true;
}

int MotorFollow::Siguiente(std::vector<int>& salto, int j) {
  if (salto.empty()) return j;
  int raiz = j;
  while (salto[raiz] != raiz) raiz = salto[raiz];
  while (salto[j] != raiz) j = std::exchange(salto[j], raiz);
  return raiz;
}

void MotorFollow::Terminar(CSimboloNoTerminal* a) {
  a->followCalculado = true;
  a->followEnCurso = false;
  if (a->gramatica) a->follow = a->gramatica->Exactos().Follow(*a);
  MostrarAnalisis(
      [a] { return "FOLLOW de "_cp1252 + a->Nombre() + "  = " + a->follow.TextoConjunto(false); });
}

// ---------------------------------------------------------------------------------------------
// The entry points the grammar model declares

namespace {

const ConjuntoSimbolos& ConjuntoVacio() {
  static const ConjuntoSimbolos vacio;
  return vacio;
}

}  // namespace

void CSimboloNoTerminal::CalcularFollow() { MotorFollow::Calcular(this); }

const ConjuntoSimbolos& CSimboloNoTerminal::Follow() {
  if (followEnCurso) return ConjuntoVacio();
  if (!followCalculado) CalcularFollow();
  return follow;
}
