#include "Avisos.h"

#include "Analizador.h"
#include "Codificacion.h"
#include "Gramaticaplana.h"
#include "Simbolos.h"

std::vector<Aviso> BuscarAvisos(const ResultadoAnalisis& resultado) {
  return BuscarAvisos(resultado.gramatica.get(), resultado.registros);
}

std::vector<Aviso> BuscarAvisos(const CGramatica* gramatica, const std::vector<Error>& registros) {
  if (!GramaticaAnalizada(gramatica, registros)) return {};
  const GramaticaDe de(*gramatica);
  const GramaticaPlana& g = de.plana;
  const std::vector<char> accesibles = Accesibles(g);
  const std::vector<char> productivos = Productivos(g);
  std::vector<char> usados(g.NumSimbolos(), 0);
  for (int p = 0; p < g.NumProducciones(); ++p)
    for (const int s : g.Derecha(p)) usados[s] = 1;

  // Symbols are numbered in name order, terminals first.
  std::vector<Aviso> avisos;
  for (int a = g.NumTerminales(); a < g.NumSimbolos(); ++a)
    if (!accesibles[a]) avisos.push_back({TipoAviso::Inaccesible, de.simbolos[a]});
  for (int a = g.NumTerminales(); a < g.NumSimbolos(); ++a)
    if (!productivos[a]) avisos.push_back({TipoAviso::Improductivo, de.simbolos[a]});
  for (int t = 0; t < g.NumTerminales(); ++t)
    if (!usados[t] && g.Nombre(t) != NombreFinCadena())
      avisos.push_back({TipoAviso::TerminalSinUso, de.simbolos[t]});
  return avisos;
}

std::string TextoAviso(const Aviso& aviso) {
  std::string texto = "Aviso en la línea "_cp1252 + std::to_string(aviso.simbolo->Linea()) + ": ";
  switch (aviso.tipo) {
    case TipoAviso::Inaccesible:
      return texto + "el símbolo no terminal "_cp1252 + aviso.simbolo->Nombre() +
             " no es accesible desde el axioma."_cp1252;
    case TipoAviso::Improductivo:
      return texto + "el símbolo no terminal "_cp1252 + aviso.simbolo->Nombre() +
             " no deriva ninguna cadena de terminales.";
    case TipoAviso::TerminalSinUso:
    default:
      return texto + "el símbolo terminal "_cp1252 + aviso.simbolo->Nombre() +
             " no aparece en ninguna producción."_cp1252;
  }
}
