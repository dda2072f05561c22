#include "Motorfirst.h"

#include <algorithm>
#include <utility>

#include "Cgramatica.h"
#include "Codificacion.h"
#include "Errores.h"
#include "Mostraranalisis.h"
#include "Simbolos.h"

void MotorFirst::CalcularNoTerminal(CSimboloNoTerminal* raiz, bool& r, CSimbolo*& s) {
  MotorFirst motor(r, s);
  motor.PedirFirst(raiz, nullptr);
  motor.Ejecutar();
}

void MotorFirst::CalcularProduccion(CProduccion* raiz, bool& r, CSimbolo*& s) {
  MotorFirst motor(r, s);
  motor.EmpezarProduccion(raiz, nullptr);
  motor.Ejecutar();
}

// An exception (memory running out) leaves loops unfinished: their notes go back all the same.
MotorFirst::~MotorFirst() { Retirar(0); }

void MotorFirst::Ejecutar() {
  while (!pila.empty()) {
    Marco& tope = pila.back();
    if (tope.simbolo)
      PasoNoTerminal(tope);
    else
      PasoProduccion(tope);
  }
}

void MotorFirst::PedirFirst(CSimboloNoTerminal* a, Marco* destino) {
  // A request while the computation runs is a re-entry, also after an earlier re-entry
  // marked it computed.
  if (!a->firstEnCurso && a->firstCalculado) {
    R(destino) = a->esRecursivo;
    return;
  }
  MostrarAnalisis([a] { return "Analizando símbolo "_cp1252 + a->Nombre(); });
  if (a->firstEnCurso) {
    a->esRecursivo = true;
    S(destino) = a;
    TerminarPeticion(a, destino);
    return;
  }
  S(destino) = nullptr;
  if (a->producciones.empty()) {
    listaErrores.Agregar(Error(CodigoError::SinProducciones, a->Nombre(), a->Linea()));
    a->anulable = true;
    MostrarAnalisis([a] { return "El símbolo "_cp1252 + a->Nombre() + " no tiene producciones"; });
    TerminarCalculo(a);
    TerminarPeticion(a, destino);
    return;
  }
  a->firstEnCurso = true;
  Marco marco;
  marco.simbolo = a;
  marco.destino = destino;
  marco.anotaciones = anotaciones.size();
  pila.push_back(marco);
}

void MotorFirst::TerminarPeticion(CSimboloNoTerminal* a, Marco* destino) {
  a->firstCalculado = true;
  R(destino) = a->esRecursivo;
}

void MotorFirst::TerminarCalculo(CSimboloNoTerminal* a) {
  // The FIRST/FOLLOW check of a nullable non-terminal runs once no FIRST computation is in
  // progress; the grammar keeps the order in which they finished.
  if (a->anulable && a->gramatica) a->gramatica->EncolarAnulable(a);
  a->firstCalculado = true;
  a->firstEnCurso = false;
}

void MotorFirst::PasoNoTerminal(Marco& marco) {
  CSimboloNoTerminal* a = marco.simbolo;
  if (marco.esperando) {
    marco.esperando = false;
    ResultadoProduccion(marco);
    ++marco.i;
  }
  if (marco.i < a->producciones.size()) {
    CProduccion* p = a->producciones[marco.i].get();
    marco.esperando = true;
    marco.r = false;
    marco.s = nullptr;
    if (!p->firstCalculado) EmpezarProduccion(p, &marco);
    return;
  }
  Retirar(marco.anotaciones);
  MostrarAnalisis([a] {
    return "FIRST de "_cp1252 + a->Nombre() + "  = " + a->first.TextoConjunto(a->anulable);
  });
  Marco* destino = marco.destino;
  pila.pop_back();
  TerminarCalculo(a);
  TerminarPeticion(a, destino);
}

void MotorFirst::ResultadoProduccion(Marco& marco) {
  CSimboloNoTerminal* a = marco.simbolo;
  CProduccion* p = a->producciones[marco.i].get();
  if (marco.r) {
    Anotar(a, marco.i, false);
    a->esRecursivo = true;
    if (marco.s) {
      listaErrores.Agregar(Error(CodigoError::RecursividadIzquierda, a->Nombre(), p->Linea()));
      S(marco.destino) = marco.s == a ? nullptr : marco.s;
      MostrarAnalisis(
          [a] { return "Símbolo "_cp1252 + a->Nombre() + " recursivo por la izquierda"; });
    } else {
      listaErrores.Agregar(Error(CodigoError::AfectadaPorRecursividad, a->Nombre(), p->Linea()));
      S(marco.destino) = nullptr;
      MostrarAnalisis([a] {
        return "Símbolo "_cp1252 + a->Nombre() +
               " afectado por la recursividad de otro símbolo"_cp1252;
      });
    }
    return;
  }
  ComprobarFirstComun(a, marco.i);
  Anotar(a, marco.i, true);
  if (p->anulable) {
    if (a->anulable) {
      listaErrores.Agregar(Error(CodigoError::DosProduccionesAnulables, a->Nombre(),
                                 a->produccionAnulable->Linea(), p->Linea()));
    } else {
      a->anulable = true;
      a->produccionAnulable = p;
    }
  }
}

void MotorFirst::ComprobarFirstComun(CSimboloNoTerminal* a, std::size_t i) {
  CProduccion* p = a->producciones[i].get();
  // The members in name order: the first symbol met for an earlier production is the smallest
  // the two share with A's FIRST.
  choques.clear();
  for (const PSimbolo miembro : p->first) {
    const NotaFirst& nota =
        static_cast<CSimboloTerminal*>(static_cast<CSimbolo*>(miembro))->notaFirst;
    if (nota.bucle != a || !nota.enFirst) continue;
    for (int e = nota.ultima; e >= 0; e = anotaciones[static_cast<std::size_t>(e)].anterior)
      choques.emplace_back(anotaciones[static_cast<std::size_t>(e)].produccion, miembro);
  }
  std::stable_sort(choques.begin(), choques.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  for (std::size_t k = 0; k < choques.size(); ++k) {
    const auto [j, simbolo] = choques[k];
    if (k > 0 && choques[k - 1].first == j) continue;
    listaErrores.Agregar(Error(CodigoError::FirstCompartido, simbolo->Nombre(), p->Linea(),
                               a->producciones[j]->Linea()));
  }
}

void MotorFirst::Anotar(CSimboloNoTerminal* a, std::size_t i, bool enFirst) {
  // FIRST sets hold terminals only.
  for (const PSimbolo miembro : a->producciones[i]->first) {
    auto* t = static_cast<CSimboloTerminal*>(static_cast<CSimbolo*>(miembro));
    NotaFirst& nota = t->notaFirst;
    Anotacion anotacion{t, static_cast<std::uint32_t>(i), nota.ultima, {}};
    if (nota.bucle != a) {
      anotacion.anterior = -1;
      anotacion.previa = nota;
      nota = NotaFirst{a, -1, false};
    }
    anotaciones.push_back(anotacion);
    nota.ultima = static_cast<int>(anotaciones.size() - 1);
    if (enFirst && !nota.enFirst) {
      nota.enFirst = true;
      a->first.InsertarNuevo(t);
    }
  }
}

void MotorFirst::Retirar(std::size_t desde) {
  while (anotaciones.size() > desde) {
    const Anotacion& anotacion = anotaciones.back();
    if (anotacion.anterior < 0) anotacion.terminal->notaFirst = anotacion.previa;
    anotaciones.pop_back();
  }
}

void MotorFirst::EmpezarProduccion(CProduccion* p, Marco* destino) {
  R(destino) = false;
  S(destino) = nullptr;
  // The production's text starts and ends its block of the trace: made once, when it is shown.
  std::string texto = TrazaActiva() ? p->TextoProduccion() : std::string();
  MostrarAnalisis([&texto] { return "Analizando producción "_cp1252 + texto; });
  if (p->consecuente.empty() || p->EsLambda()) {
    TerminarProduccion(p, p->EsLambda(), texto);
    return;
  }
  Marco marco;
  marco.produccion = p;
  marco.destino = destino;
  marco.texto = std::move(texto);
  pila.push_back(std::move(marco));
}

void MotorFirst::TerminarProduccion(CProduccion* p, bool anulable, const std::string& texto) {
  p->anulable = anulable;
  MostrarAnalisis(
      [&] { return "FIRST de "_cp1252 + texto + "  = " + p->first.TextoConjunto(p->anulable); });
  p->firstCalculado = true;
}

void MotorFirst::PasoProduccion(Marco& marco) {
  CProduccion* p = marco.produccion;
  CSimbolo* x = p->consecuente[marco.i];
  if (!marco.esperando) {
    marco.esperando = true;
    if (x->EsTerminal()) {
      R(marco.destino) = false;
      S(marco.destino) = nullptr;
    } else {
      const std::size_t antes = pila.size();
      PedirFirst(static_cast<CSimboloNoTerminal*>(x), marco.destino);
      if (pila.size() != antes) return;  // x's computation runs first
    }
  }
  marco.esperando = false;
  p->first.Unir(FirstGuardado(x));
  const bool anulable = x->Anulable();
  if (anulable && !R(marco.destino) && marco.i + 1 < p->consecuente.size()) {
    ++marco.i;
    return;
  }
  const std::string texto = std::move(marco.texto);
  pila.pop_back();
  TerminarProduccion(p, anulable, texto);
}

const ConjuntoSimbolos& MotorFirst::FirstGuardado(CSimbolo* x) {
  if (x->EsTerminal()) {
    bool r = false;
    CSimbolo* s = nullptr;
    return x->First(r, s);
  }
  return static_cast<CSimboloNoTerminal*>(x)->first;
}

// ---------------------------------------------------------------------------------------------
// The entry points the grammar model declares

void CSimboloNoTerminal::CalcularFirst(bool& recursivo, CSimbolo*& simboloRecursivo) {
  MotorFirst::CalcularNoTerminal(this, recursivo, simboloRecursivo);
}

const ConjuntoSimbolos& CSimboloNoTerminal::First(bool& recursivo, CSimbolo*& simboloRecursivo) {
  if (firstEnCurso || !firstCalculado)
    CalcularFirst(recursivo, simboloRecursivo);
  else
    recursivo = esRecursivo;
  return first;
}

void CProduccion::CalcularFirst(bool& recursivo, CSimbolo*& simboloRecursivo) {
  MotorFirst::CalcularProduccion(this, recursivo, simboloRecursivo);
}

const ConjuntoSimbolos& CProduccion::First(bool& recursivo, CSimbolo*& simboloRecursivo) {
  if (!firstCalculado) CalcularFirst(recursivo, simboloRecursivo);
  return first;
}
