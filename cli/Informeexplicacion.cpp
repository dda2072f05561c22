#include "Informeexplicacion.h"

#include "Analizador.h"
#include "Avisos.h"
#include "Codificacion.h"
#include "Escritorjson.h"
#include "Explicacion.h"
#include "Gramaticaplana.h"
#include "Simbolos.h"
#include "Transformacion.h"

namespace {

void Nombres(EscritorJson& json, const std::vector<const CSimbolo*>& simbolos) {
  json.Abrir('[');
  for (const CSimbolo* simbolo : simbolos) json.Cadena(simbolo->Nombre());
  json.Cerrar(']');
}

void Textos(EscritorJson& json, const std::vector<const CProduccion*>& producciones) {
  json.Abrir('[');
  for (const CProduccion* produccion : producciones) json.Cadena(produccion->TextoProduccion());
  json.Cerrar(']');
}

void ExplicacionJson(EscritorJson& json, const Explicacion& e) {
  json.Abrir('{');
  json.Clave("error");
  json.Entero(e.error);
  json.Clave("code");
  json.Entero(static_cast<int>(e.registro.Codigo()));
  json.Clave("nonterminal");
  json.Cadena(e.noTerminal->Nombre());
  json.Clave("terminal");
  if (e.terminal)
    json.Cadena(e.terminal->Nombre());
  else
    json.Nulo();
  json.Clave("productions");
  Textos(json, e.producciones);
  if (!e.ciclo.empty()) {
    std::vector<const CProduccion*> ciclo;
    for (const PasoCiclo& paso : e.ciclo) ciclo.push_back(paso.produccion);
    json.Clave("cycle");
    Textos(json, ciclo);
  } else {
    json.Clave("prefix");
    Nombres(json, e.prefijo);
    json.Clave("derivations");
    json.Abrir('[');
    for (const auto& derivacion : e.derivaciones) {
      json.Abrir('[');
      for (const auto& forma : derivacion.formas) Nombres(json, forma);
      json.Cerrar(']');
    }
    json.Cerrar(']');
    json.Clave("sentences");
    json.Abrir('[');
    for (const auto& frase : e.frases) Nombres(json, frase);
    json.Cerrar(']');
  }
  json.Cerrar('}');
}

const char* TipoJson(TipoAviso tipo) {
  switch (tipo) {
    case TipoAviso::Inaccesible:
      return "unreachable";
    case TipoAviso::Improductivo:
      return "unproductive";
    case TipoAviso::TerminalSinUso:
      break;
  }
  return "unused-terminal";
}

}  // namespace

std::vector<std::string> LineasSeccionExplicaciones(const ResultadoAnalisis& resultado) {
  if (!GramaticaAnalizada(resultado.gramatica.get(), resultado.registros))
    return {"No hay explicaciones: el texto tiene errores de lectura."};
  return LineasExplicaciones(Explicar(resultado), BuscarAvisos(resultado));
}

void EscribirExplicaciones(EscritorJson& json, const std::vector<Explicacion>& explicaciones) {
  json.Abrir('[');
  for (const Explicacion& explicacion : explicaciones) ExplicacionJson(json, explicacion);
  json.Cerrar(']');
}

void EscribirAvisos(EscritorJson& json, const std::vector<Aviso>& avisos) {
  json.Abrir('[');
  for (const Aviso& aviso : avisos) {
    json.Abrir('{');
    json.Clave("kind");
    json.Cadena(TipoJson(aviso.tipo));
    json.Clave("symbol");
    json.Cadena(aviso.simbolo->Nombre());
    json.Clave("line");
    json.Entero(aviso.simbolo->Linea());
    json.Cerrar('}');
  }
  json.Cerrar(']');
}

std::string TextoPropuesta(const Propuesta& propuesta, bool crudo) {
  const std::string texto = TextoConPasos(propuesta);
  std::string salida;
  salida.reserve(texto.size());
  for (const char c : texto)
    if (c != '\r') salida += c;
  return crudo ? salida : cp1252::AUtf8(salida);
}
