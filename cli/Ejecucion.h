// One run of quindel-cli once its options are parsed: read the grammar, analyse it, write the
// requested files and compose what goes to standard output.
#pragma once

#include <string>

#include "Analizador.h"
#include "Escritorjson.h"

struct OpcionesCli {
  std::string fichero;  // "-" reads standard input
  bool analisis = false;
  bool errores = false;
  bool explicar = false;
  bool tabla = false;
  bool json = false;
  bool crudo = false;
  bool conHtml = false;
  std::string rutaHtml;
  bool conTraza = false;
  std::string rutaTraza;
  bool conFrase = false;   // --parse
  std::string frase;       // UTF-8, as the shell gives it
  bool conFrases = false;  // --parse-file
  std::string rutaFrases;  // Windows-1252 sentences, one a line; "-" reads standard input
  bool conDot = false;
  std::string rutaDot;
  bool transformar = false;  // --transform: the proposed grammar instead of any report
};

// Exit statuses of the command.
// With --transform, 0 and 1 say whether the proposed grammar is LL(1).
inline constexpr int kSalidaLL1 = 0;        // a table was built
inline constexpr int kSalidaErrores = 1;    // the grammar has errors (reading or LL(1))
inline constexpr int kSalidaFallo = 2;      // usage error, or a file that cannot be read or written
inline constexpr int kSalidaRechazada = 3;  // a sentence was rejected
inline constexpr int kSalidaSinPropuesta = 4;  // --transform could propose no grammar

struct ResultadoCli {
  int estado = kSalidaFallo;
  // For standard output, from the overload without a destination; empty whenever something
  // failed.
  std::string salida;
  std::string error;  // one message for standard error, or empty
  // The analysis behind the output, handed over rather than freed: a process about to end
  // need not free a large grammar piece by piece (main exits without).
  ResultadoAnalisis analisis;
};

// The combinations of options that make no sense, as the message of a usage error; empty
// when there is none.
std::string ErrorDeUso(const OpcionesCli& opciones);

// Hands standard output to `salida` as it is composed, a block at a time (a JSON document can be
// far larger than the grammar), and only once nothing else has failed: a file that cannot be
// read or written leaves it without a byte. ResultadoCli::salida stays empty.
ResultadoCli EjecutarCli(const OpcionesCli& opciones, const DestinoTexto& salida);
// The same with standard output gathered whole in ResultadoCli::salida.
ResultadoCli EjecutarCli(const OpcionesCli& opciones);

// The largest grammar or file of sentences read, as the messages and the help say it: "1 GiB".
std::string TextoTamanoMaximo();

// The file name the titles and the JSON show, in Windows-1252: the path's last component
// ("stdin" for "-"). Characters the code page cannot hold become '?'.
std::string NombreParaTitulo(const std::string& ruta);
