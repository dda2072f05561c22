#include "Informeexplicacion.h"

#include "Analizador.h"
#include "Avisos.h"
#include "Codificacion.h"
#include "Explicacion.h"
#include "Gramaticaplana.h"
#include "Simbolos.h"
#include "Transformacion.h"

namespace {

using Json = nlohmann::ordered_json;

Json Nombres(const std::vector<const CSimbolo*>& simbolos) {
  Json nombres = Json::array();
  for (const CSimbolo* simbolo : simbolos) nombres.push_back(cp1252::AUtf8(simbolo->Nombre()));
  return nombres;
}

Json Textos(const std::vector<const CProduccion*>& producciones) {
  Json textos = Json::array();
  for (const CProduccion* produccion : producciones)
    textos.push_back(cp1252::AUtf8(produccion->TextoProduccion()));
  return textos;
}

Json ExplicacionJson(const Explicacion& e) {
  Json json = {{"error", e.error},
               {"code", static_cast<int>(e.registro.Codigo())},
               {"nonterminal", cp1252::AUtf8(e.noTerminal->Nombre())},
               {"terminal", e.terminal ? Json(cp1252::AUtf8(e.terminal->Nombre())) : Json()},
               {"productions", Textos(e.producciones)}};
  if (!e.ciclo.empty()) {
    std::vector<const CProduccion*> ciclo;
    for (const PasoCiclo& paso : e.ciclo) ciclo.push_back(paso.produccion);
    json["cycle"] = Textos(ciclo);
    return json;
  }
  json["prefix"] = Nombres(e.prefijo);
  Json derivaciones = Json::array();
  Json frases = Json::array();
  for (int k = 0; k < 2; ++k) {
    Json formas = Json::array();
    for (const auto& forma : e.derivaciones[k].formas) formas.push_back(Nombres(forma));
    derivaciones.push_back(std::move(formas));
    frases.push_back(Nombres(e.frases[k]));
  }
  json["derivations"] = std::move(derivaciones);
  json["sentences"] = std::move(frases);
  return json;
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

Json ExplicacionesJson(const std::vector<Explicacion>& explicaciones) {
  Json json = Json::array();
  for (const Explicacion& explicacion : explicaciones) json.push_back(ExplicacionJson(explicacion));
  return json;
}

Json AvisosJson(const std::vector<Aviso>& avisos) {
  Json json = Json::array();
  for (const Aviso& aviso : avisos)
    json.push_back({{"kind", TipoJson(aviso.tipo)},
                    {"symbol", cp1252::AUtf8(aviso.simbolo->Nombre())},
                    {"line", aviso.simbolo->Linea()}});
  return json;
}

std::string TextoPropuesta(const Propuesta& propuesta, bool crudo) {
  const std::string texto = TextoConPasos(propuesta);
  std::string salida;
  salida.reserve(texto.size());
  for (const char c : texto)
    if (c != '\r') salida += c;
  return crudo ? salida : cp1252::AUtf8(salida);
}
