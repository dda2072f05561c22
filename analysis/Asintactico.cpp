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

void AnalizadorSintactico::AnotarError(CodigoError codigo) {
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

bool AnalizadorSintactico::Tomar(TipoToken tipo, CodigoError codigo) {
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
      AnotarError(CodigoError::TerminalesYaDefinidos);
      break;
    case tkNoTerminales:
      AnotarError(CodigoError::NoTerminalesYaDefinidos);
      break;
    case tkProducciones:
      AnotarError(CodigoError::ProduccionesAntesDeConjuntos);
      break;
    case tkAxioma:
      AnotarError(CodigoError::AxiomaYaDefinido);
      SaltarLinea();
      return;
    default:
      AnotarError(CodigoError::SeEsperabaConjunto);
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
      AnotarError(CodigoError::FinFicheroInesperado);
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
      AnotarError(t == tkProducciones ? CodigoError::ProduccionesAntesDeConjuntos
                                      : CodigoError::FinFicheroInesperado);
      return;
    }
    AnotarError(CodigoError::SeEsperabaConjunto);
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
      AnotarError(CodigoError::FinFicheroInesperado);
      return;
    } else {
      AnotarError(CodigoError::SeEsperabaConjunto);
      SaltarLinea();
    }
  }
}

// The production section runs only once, after the first declaration read here.
void AnalizadorSintactico::ReglaSecciones() {
  for (;;) {
    const TipoToken t = token.Tipo();
    if (t == tkFinFichero) {
      AnotarError(CodigoError::FinFicheroInesperado);
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
      AnotarError(CodigoError::FinFicheroInesperado);
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
  if (Tomar(tkIgual, CodigoError::SeEsperabaIgual) &&
      Tomar(tkAbreLlave, CodigoError::SeEsperabaAbreLlave)) {
    ReglaMiembros(clave);
    if (Tomar(tkCierraLlave, CodigoError::SeEsperabaCierraLlave)) {
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
  if (Tomar(tkIgual, CodigoError::SeEsperabaIgual)) {
    ReglaSimbolo(Modo::Axioma);
    if (token.Tipo() == tkFinLinea) {
      ReglaRelleno();
      return;
    }
    AnotarError(CodigoError::SeEsperabaSaltoLinea);
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
        if (primero) AnotarError(CodigoError::ConjuntoVacio);
        return;
      case tkFinFichero:
        AnotarError(CodigoError::FinFicheroInesperado);
        return;
      case tkComentario:
        AnotarError(CodigoError::ComentarioMalColocado);
        Avanzar();
        break;
      case tkFinLinea:
        Avanzar();
        break;
      case tkLambda:
        AnotarError(CodigoError::LambdaComoIdentificador);
        Avanzar();
        break;
      default:
        if (clave == tkTerminales) {
          ReglaTerminal();
        } else if (EsNombre(token.Tipo())) {
          ReglaSimbolo(Modo::NoTerminal);
        } else {
          AnotarError(CodigoError::NoTerminalIncorrecto);
          Avanzar();
          break;
        }
        primero = false;
    }
  }
}

void AnalizadorSintactico::ReglaTerminal() {
  if (!gramatica->AnadirTerminal(token.Nombre(), lexico->Linea()))
    AnotarError(CodigoError::IdentificadorRedefinido);
  Avanzar();
}

void AnalizadorSintactico::ReglaSimbolo(Modo modo, CProduccion* produccion) {
  if (!EsNombre(token.Tipo())) {
    AnotarError(CodigoError::NoTerminalIncorrecto);
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
        listaErrores.Agregar(Error(CodigoError::IdentificadorRedefinido, nombre, linea,
                                   anterior ? anterior->Linea() : linea));
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
      if (!antecedente) AnotarError(CodigoError::AntecedenteNoDefinido);
      break;
    }
  }
  Avanzar();
}

void AnalizadorSintactico::ReglaProducciones() {
  for (;;) {
    if (!gramatica->DefinirAxioma(nombreAxioma))
      listaErrores.Agregar(Error(CodigoError::AxiomaNoDefinido, nombreAxioma, lineaAxioma));
    switch (token.Tipo()) {
      case tkProducciones:
        ReglaSeccionProducciones();
        return;
      case tkFinFichero:
        AnotarError(CodigoError::FinFicheroInesperado);
        return;
      case tkTerminales:
        AnotarError(CodigoError::TerminalesYaDefinidos);
        break;
      case tkNoTerminales:
        AnotarError(CodigoError::NoTerminalesYaDefinidos);
        break;
      case tkAxioma:
        AnotarError(CodigoError::AxiomaYaDefinido);
        break;
      default:
        AnotarError(CodigoError::SeEsperabaProducciones);
    }
    SaltarLinea();
    ReglaRelleno();
  }
}

// With a faulty header the productions are still read, but no closing brace is demanded.
void AnalizadorSintactico::ReglaSeccionProducciones() {
  Avanzar();
  if (Tomar(tkIgual, CodigoError::SeEsperabaIgual) &&
      Tomar(tkAbreLlave, CodigoError::SeEsperabaAbreLlave) &&
      Tomar(tkFinLinea, CodigoError::SeEsperabaSaltoLinea)) {
    ReglaListaProducciones();
    if (!Tomar(tkCierraLlave, CodigoError::SeEsperabaCierraLlave)) SaltarLinea();
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
        AnotarError(CodigoError::FinFicheroInesperado);
        return;
      case tkComentario:
        AnotarError(CodigoError::ComentarioMalColocado);
        Avanzar();
        break;
      case tkFinLinea:
        Avanzar();
        break;
      default:
        if (EsNombre(token.Tipo())) {
          ReglaProduccion();
        } else {
          AnotarError(CodigoError::AntecedenteDebeSerNoTerminal);
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
    AnotarError(CodigoError::SeEsperabaFlecha);
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
      AnotarError(CodigoError::ComentarioMalColocado);
      Avanzar();
      return;
    case tkFinLinea:
      AnotarError(CodigoError::FinLineaInesperado);
      return;
    case tkFinFichero:
      AnotarError(CodigoError::FinFicheroInesperado);
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
        AnotarError(CodigoError::FinFicheroInesperado);
        return;
      case tkLambda:
        AnotarError(CodigoError::LambdaNoUnico);
        SaltarLinea();
        return;
      default:
        ReglaSimboloConsecuente(produccion);
    }
  }
}

void AnalizadorSintactico::ReglaSimboloConsecuente(CProduccion& produccion) {
  if (!gramatica->AnadirAlConsecuente(produccion, token.Nombre()))
    AnotarError(CodigoError::SimboloNoDefinido);
  Avanzar();
}

void AnalizadorSintactico::ReglaFinProduccion() {
  switch (token.Tipo()) {
    case tkComentario:
      Avanzar();
      if (token.Tipo() == tkFinLinea)
        Avanzar();
      else
        AnotarError(CodigoError::SeEsperabaSaltoLinea);
      return;
    case tkFinLinea:
      Avanzar();
      return;
    case tkFinFichero:
      AnotarError(CodigoError::FinFicheroInesperado);
      return;
    default:
      AnotarError(CodigoError::SeEsperabaSaltoLinea);
      SaltarLinea();
  }
}

void AnalizadorSintactico::ReglaFinal() {
  for (;;) {
    switch (token.Tipo()) {
      case tkTerminales:
        AnotarError(CodigoError::TerminalesYaDefinidos);
        SaltarConjunto();
        break;
      case tkNoTerminales:
        AnotarError(CodigoError::NoTerminalesYaDefinidos);
        SaltarConjunto();
        break;
      case tkProducciones:
        AnotarError(CodigoError::ProduccionesYaDefinidas);
        SaltarConjunto();
        break;
      case tkAxioma:
        AnotarError(CodigoError::AxiomaYaDefinido);
        SaltarLinea();
        break;
      case tkComentario:
      case tkFinLinea:
        Avanzar();
        break;
      case tkFinFichero:
        return;
      default:
        AnotarError(CodigoError::NoSeEsperabaMas);
        SaltarLinea();
    }
  }
}
