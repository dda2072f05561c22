#include "Asintactico.h"

#include <utility>

#include "Cgramatica.h"
#include "Errores.h"
#include "Simbolos.h"

// Every rule that goes back to its own start does so with a loop: a long text must not
// deepen the stack.

namespace {

bool EsClave(TipoToken t) {
  return t == tkTerminales || t == tkNoTerminales || t == tkAxioma || t == tkProducciones;
}

// Kinds that may name a non-terminal, the axiom or an antecedent.
bool EsNombre(TipoToken t) { return EsClave(t) || t == tkIdentificador; }

bool EsDeclaracion(TipoToken t) {
  return t == tkTerminales || t == tkNoTerminales || t == tkAxioma;
}

// The declaration section that is neither of the two given.
TipoToken Tercera(TipoToken a, TipoToken b) {
  if (a != tkTerminales && b != tkTerminales) return tkTerminales;
  if (a != tkNoTerminales && b != tkNoTerminales) return tkNoTerminales;
  return tkAxioma;
}

}  // namespace

std::unique_ptr<CGramatica> AnalizadorSintactico::Analizar(std::istream& entrada) {
  nombreAxioma.clear();
  lineaAxioma = 0;
  token = TokenLexico();
  lexico = std::make_unique<AnalizadorLexico>(entrada);
  gramatica = std::make_unique<CGramatica>();
  Avanzar();
  ReglaFichero();
  lexico.reset();
  return std::move(gramatica);
}

void AnalizadorSintactico::Avanzar() { token = lexico->SiguienteToken(); }

void AnalizadorSintactico::AnotarError(int codigo) {
  listaErrores.Agregar(Error(codigo, token.Nombre(), lexico->Linea()));
}

void AnalizadorSintactico::SaltarLinea() {
  while (token.Tipo() != tkFinLinea && token.Tipo() != tkFinFichero) Avanzar();
  if (token.Tipo() == tkFinLinea) Avanzar();
}

void AnalizadorSintactico::SaltarConjunto() {
  while (token.Tipo() != tkCierraLlave && token.Tipo() != tkFinFichero) Avanzar();
  if (token.Tipo() == tkCierraLlave) Avanzar();
}

bool AnalizadorSintactico::Tomar(TipoToken tipo, int codigo) {
  if (token.Tipo() != tipo) {
    AnotarError(codigo);
    return false;
  }
  Avanzar();
  return true;
}

void AnalizadorSintactico::RecuperarDeclaracion(bool soloLinea) {
  switch (token.Tipo()) {
    case tkTerminales:
      AnotarError(3);
      break;
    case tkNoTerminales:
      AnotarError(4);
      break;
    case tkProducciones:
      AnotarError(8);
      break;
    case tkAxioma:
      AnotarError(5);
      SaltarLinea();
      return;
    default:
      AnotarError(1);
      SaltarLinea();
      return;
  }
  if (soloLinea)
    SaltarLinea();
  else
    SaltarConjunto();
}

bool AnalizadorSintactico::EsperarClave(TipoToken clave, bool soloLinea) {
  while (token.Tipo() != clave) {
    if (token.Tipo() == tkFinFichero) {
      AnotarError(2);
      return false;
    }
    RecuperarDeclaracion(soloLinea);
    ReglaRelleno();
  }
  return true;
}

void AnalizadorSintactico::ReglaFichero() {
  for (;;) {
    const TipoToken t = token.Tipo();
    if (EsDeclaracion(t) || t == tkComentario || t == tkFinLinea) {
      ReglaRelleno();
      ReglaSecciones();
      ReglaFinal();
      return;
    }
    if (t == tkProducciones || t == tkFinFichero) {
      AnotarError(t == tkProducciones ? 8 : 2);
      return;
    }
    AnotarError(1);
    SaltarLinea();
  }
}

void AnalizadorSintactico::ReglaRelleno() {
  for (;;) {
    const TipoToken t = token.Tipo();
    if (t == tkComentario || t == tkFinLinea) {
      Avanzar();
    } else if (EsClave(t)) {
      return;
    } else if (t == tkFinFichero) {
      AnotarError(2);
      return;
    } else {
      AnotarError(1);
      SaltarLinea();
    }
  }
}

// The production section runs only once, after the first declaration read here.
void AnalizadorSintactico::ReglaSecciones() {
  for (;;) {
    const TipoToken t = token.Tipo();
    if (t == tkFinFichero) {
      AnotarError(2);
      return;
    }
    if (EsDeclaracion(t)) {
      ReglaSeccion(t);
      ReglaTras(t);
      ReglaProducciones();
      return;
    }
    RecuperarDeclaracion(false);
    ReglaRelleno();
  }
}

void AnalizadorSintactico::ReglaTras(TipoToken leida) {
  for (;;) {
    const TipoToken t = token.Tipo();
    if (t == tkFinFichero) {
      AnotarError(2);
      return;
    }
    if (EsDeclaracion(t) && t != leida) {
      ReglaSeccion(t);
      ReglaSeccion(Tercera(leida, t));
      return;
    }
    RecuperarDeclaracion(false);
    ReglaRelleno();
  }
}

void AnalizadorSintactico::ReglaSeccion(TipoToken clave) {
  if (clave == tkAxioma)
    ReglaAxioma();
  else
    ReglaConjunto(clave);
}

void AnalizadorSintactico::ReglaConjunto(TipoToken clave) {
  if (!EsperarClave(clave, false)) return;
  Avanzar();
  if (Tomar(tkIgual, 17) && Tomar(tkAbreLlave, 18)) {
    ReglaMiembros(clave);
    if (Tomar(tkCierraLlave, 19)) {
      ReglaRelleno();
      return;
    }
  }
  SaltarConjunto();
  ReglaRelleno();
}

void AnalizadorSintactico::ReglaAxioma() {
  if (!EsperarClave(tkAxioma, true)) return;
  Avanzar();
  if (Tomar(tkIgual, 17)) {
    ReglaSimbolo(Modo::Axioma);
    if (token.Tipo() == tkFinLinea) {
      ReglaRelleno();
      return;
    }
    AnotarError(20);
  }
  SaltarLinea();
  ReglaRelleno();
}

// The members of a set up to its "}", which stays current for the section to take.
void AnalizadorSintactico::ReglaMiembros(TipoToken clave) {
  bool primero = true;
  for (;;) {
    switch (token.Tipo()) {
      case tkCierraLlave:
        if (primero) AnotarError(9);
        return;
      case tkFinFichero:
        AnotarError(2);
        return;
      case tkComentario:
        AnotarError(10);
        Avanzar();
        break;
      case tkFinLinea:
        Avanzar();
        break;
      case tkLambda:
        AnotarError(11);
        Avanzar();
        break;
      default:
        if (clave == tkTerminales) {
          ReglaTerminal();
        } else if (EsNombre(token.Tipo())) {
          ReglaSimbolo(Modo::NoTerminal);
        } else {
          AnotarError(12);
          Avanzar();
          break;
        }
        primero = false;
    }
  }
}

void AnalizadorSintactico::ReglaTerminal() {
  if (!gramatica->AnadirTerminal(token.Nombre(), lexico->Linea())) AnotarError(22);
  Avanzar();
}

void AnalizadorSintactico::ReglaSimbolo(Modo modo, CProduccion* produccion) {
  if (!EsNombre(token.Tipo())) {
    AnotarError(12);
    Avanzar();
    return;
  }
  const std::string& nombre = token.Nombre();
  const int linea = lexico->Linea();
  switch (modo) {
    case Modo::NoTerminal:
      if (!gramatica->AnadirNoTerminal(nombre, linea)) {
        // Both places are shown: this one and the earlier declaration.
        const CSimbolo* anterior = gramatica->BuscarSimbolo(nombre);
        listaErrores.Agregar(Error(22, nombre, linea, anterior ? anterior->Linea() : linea));
      }
      break;
    case Modo::Axioma:
      // Checked when the production section is reached, once every declaration is known.
      nombreAxioma = nombre;
      lineaAxioma = linea;
      break;
    case Modo::Antecedente: {
      CSimboloNoTerminal* antecedente = gramatica->BuscarNoTerminal(nombre);
      produccion->PonerAntecedente(antecedente);
      if (!antecedente) AnotarError(24);
      break;
    }
  }
  Avanzar();
}

void AnalizadorSintactico::ReglaProducciones() {
  for (;;) {
    if (!gramatica->DefinirAxioma(nombreAxioma))
      listaErrores.Agregar(Error(23, nombreAxioma, lineaAxioma));
    switch (token.Tipo()) {
      case tkProducciones:
        ReglaSeccionProducciones();
        return;
      case tkFinFichero:
        AnotarError(2);
        return;
      case tkTerminales:
        AnotarError(3);
        break;
      case tkNoTerminales:
        AnotarError(4);
        break;
      case tkAxioma:
        AnotarError(5);
        break;
      default:
        AnotarError(13);
    }
    SaltarLinea();
    ReglaRelleno();
  }
}

// With a faulty header the productions are still read, but no closing brace is demanded.
void AnalizadorSintactico::ReglaSeccionProducciones() {
  Avanzar();
  if (Tomar(tkIgual, 17) && Tomar(tkAbreLlave, 18) && Tomar(tkFinLinea, 20)) {
    ReglaListaProducciones();
    if (!Tomar(tkCierraLlave, 19)) SaltarLinea();
    return;
  }
  SaltarLinea();
  ReglaListaProducciones();
}

void AnalizadorSintactico::ReglaListaProducciones() {
  for (;;) {
    switch (token.Tipo()) {
      case tkCierraLlave:
        return;
      case tkFinFichero:
        AnotarError(2);
        return;
      case tkComentario:
        AnotarError(10);
        Avanzar();
        break;
      case tkFinLinea:
        Avanzar();
        break;
      default:
        if (EsNombre(token.Tipo())) {
          ReglaProduccion();
        } else {
          AnotarError(14);
          SaltarLinea();
        }
    }
  }
}

// A production that cannot be attached still goes to the grammar: the occurrences its right
// side registered point into it.
void AnalizadorSintactico::ReglaProduccion() {
  auto produccion = std::make_unique<CProduccion>();
  produccion->PonerLinea(lexico->Linea());
  ReglaSimbolo(Modo::Antecedente, produccion.get());
  if (token.Tipo() != tkFlecha) {
    AnotarError(21);
    SaltarLinea();
    gramatica->DescartarProduccion(std::move(produccion));
    return;
  }
  Avanzar();
  ReglaConsecuente(*produccion);
  ReglaFinProduccion();
  if (CSimboloNoTerminal* antecedente = produccion->Antecedente())
    antecedente->AnadirProduccion(std::move(produccion));
  else
    gramatica->DescartarProduccion(std::move(produccion));
}

void AnalizadorSintactico::ReglaConsecuente(CProduccion& produccion) {
  switch (token.Tipo()) {
    case tkCierraLlave:
      ReglaSimboloConsecuente(produccion);
      return;
    case tkComentario:
      AnotarError(10);
      Avanzar();
      return;
    case tkFinLinea:
      AnotarError(15);
      return;
    case tkFinFichero:
      AnotarError(2);
      return;
    case tkLambda:
      produccion.AnadirSimbolo(nullptr);
      Avanzar();
      return;
    default:
      ReglaSimboloConsecuente(produccion);
  }
  // The later symbols: a comment or the line break ends the right side and stays current.
  for (;;) {
    switch (token.Tipo()) {
      case tkCierraLlave:
        ReglaSimboloConsecuente(produccion);
        return;
      case tkComentario:
      case tkFinLinea:
        return;
      case tkFinFichero:
        AnotarError(2);
        return;
      case tkLambda:
        AnotarError(16);
        SaltarLinea();
        return;
      default:
        ReglaSimboloConsecuente(produccion);
    }
  }
}

void AnalizadorSintactico::ReglaSimboloConsecuente(CProduccion& produccion) {
  if (CSimbolo* simbolo = gramatica->BuscarSimbolo(token.Nombre()))
    produccion.AnadirSimbolo(simbolo);
  else
    AnotarError(25);
  Avanzar();
}

void AnalizadorSintactico::ReglaFinProduccion() {
  switch (token.Tipo()) {
    case tkComentario:
      Avanzar();
      if (token.Tipo() == tkFinLinea)
        Avanzar();
      else
        AnotarError(20);
      return;
    case tkFinLinea:
      Avanzar();
      return;
    case tkFinFichero:
      AnotarError(2);
      return;
    default:
      AnotarError(20);
      SaltarLinea();
  }
}

void AnalizadorSintactico::ReglaFinal() {
  for (;;) {
    switch (token.Tipo()) {
      case tkTerminales:
        AnotarError(3);
        SaltarConjunto();
        break;
      case tkNoTerminales:
        AnotarError(4);
        SaltarConjunto();
        break;
      case tkProducciones:
        AnotarError(6);
        SaltarConjunto();
        break;
      case tkAxioma:
        AnotarError(5);
        SaltarLinea();
        break;
      case tkComentario:
      case tkFinLinea:
        Avanzar();
        break;
      case tkFinFichero:
        return;
      default:
        AnotarError(7);
        SaltarLinea();
    }
  }
}
