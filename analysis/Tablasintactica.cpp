#include "Tablasintactica.h"

#include <algorithm>

#include "Codificacion.h"
#include "Simbolos.h"

void CTablaSintactica::AgregarColumna(CSimbolo* terminal) {
  // Columns normally all come before the first row; a later one widens every row.
  std::vector<std::uint32_t> anchas(filas.size() * (columnas.size() + 1), 0);
  for (std::size_t f = 0; f < filas.size(); ++f)
    std::copy_n(celdas.begin() + static_cast<std::ptrdiff_t>(f * columnas.size()), columnas.size(),
                anchas.begin() + static_cast<std::ptrdiff_t>(f * (columnas.size() + 1)));
  celdas.swap(anchas);
  columnas.push_back(terminal);
}

void CTablaSintactica::AgregarFila(CSimboloNoTerminal* noTerminal) {
  filas.push_back(noTerminal);
  celdas.resize(celdas.size() + columnas.size(), 0);
}

void CTablaSintactica::ReservarFilas(unsigned numero) {
  filas.reserve(numero);
  celdas.reserve(std::size_t{numero} * columnas.size());
}

CSimbolo* CTablaSintactica::Columna(unsigned indice) const {
  return indice < columnas.size() ? columnas[indice] : nullptr;
}

CSimboloNoTerminal* CTablaSintactica::Fila(unsigned indice) const {
  return indice < filas.size() ? filas[indice] : nullptr;
}

void CTablaSintactica::PonerCelda(unsigned fila, unsigned columna, std::size_t produccion) {
  celdas[std::size_t{fila} * columnas.size() + columna] =
      static_cast<std::uint32_t>(produccion + 1);
}

CProduccion* CTablaSintactica::Celda(unsigned fila, unsigned columna) const {
  const std::uint32_t celda = celdas[std::size_t{fila} * columnas.size() + columna];
  return celda ? filas[fila]->Producciones()[celda - 1].get() : nullptr;
}

void CTablaSintactica::EscribirHTML(std::ostream& salida, const std::string& titulo) const {
  const char* fin = "\r\n";
  const std::string tituloHTML = EscaparHTML(titulo);
  salida << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
            "\"http://www.w3.org/TR/html4/strict.dtd\">"
         << fin << "<HTML>" << fin << "<HEAD>" << fin
         << "  <META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
         << fin << "  <TITLE>"
         << "Tabla sintáctica para "_cp1252 << tituloHTML << "</TITLE>" << fin
         << "  <STYLE type=\"text/css\">" << fin
         << "    DIV.tabla { text-align: center; font-size: 12pt; font-family: Arial }" << fin
         << "    H2.titulo { text-align: center; font-family: Arial }" << fin
         << "    TABLE { text-align: center; }" << fin << "    TH { background: silver; }" << fin
         << "  </STYLE>" << fin << "</HEAD>" << fin << fin << "<BODY style=\"font-family: Arial\">"
         << fin << fin << "  <P><BR></P>" << fin << "  <H2 class=titulo>"
         << "Tabla sintáctica para "_cp1252 << tituloHTML << "</H2>" << fin << "  <P><BR></P>"
         << fin << fin << "  <DIV class = tabla>" << fin
         << "    <TABLE border=\"1\" cellpadding=\"5\" width=\"90%\">" << fin;

  salida << "      <TR>" << fin << "        <TD>" << fin;
  for (const CSimbolo* columna : columnas)
    salida << "        <TH>" << EscaparHTML(columna->Nombre()) << "</TH>" << fin;
  salida << "      </TR>" << fin;

  for (std::size_t f = 0; f < filas.size(); ++f) {
    salida << "      <TR>" << fin << "        <TH>" << EscaparHTML(filas[f]->Nombre()) << "</TH>"
           << fin;
    for (unsigned c = 0; c < NumColumnas(); ++c) {
      const CProduccion* celda = Celda(static_cast<unsigned>(f), c);
      salida << "        <TD>" << (celda ? celda->TextoProduccionHTML() : "--") << "</TD>" << fin;
    }
    salida << "      </TR>" << fin;
  }

  salida << "    </TABLE>" << fin << "  </DIV>" << fin << "</BODY>" << fin << "</HTML>" << fin;
  salida.flush();
}
