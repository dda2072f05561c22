// Grammar files on disk: Windows-1252 bytes with CR LF line ends, read into and written from
// the editor's Unicode text (lines separated by '\n'). The only place where the GUI's text meets
// the file's code page.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

// A character of the editor that Windows-1252 cannot store, with its 1-based line.
struct CaracterInalmacenable {
  char32_t caracter;
  int linea;
};

// The editor's text for the bytes of a file; CR LF, a lone LF and a lone CR all end a line.
QString DecodificarGramatica(const QByteArray& bytes);
// The bytes of a file for the editor's text (lines end in CR LF), or the first character that
// Windows-1252 cannot store.
std::variant<QByteArray, CaracterInalmacenable> CodificarGramatica(const QString& texto);

// The text of the file at `ruta`, or nothing when it cannot be read, is not a regular file or
// holds more than kTamanoMaximoTexto bytes.
std::optional<QString> LeerGramatica(const QString& ruta);
// Replaces the file at `ruta` with `bytes` through a temporary file renamed over it, so a failed
// write (a full disk included) leaves the previous file whole; a device or a FIFO that exists is
// written in place. False on any failure. Every file the program writes (grammars, table pages,
// traces, trees) goes through here.
bool EscribirFichero(const QString& ruta, const QByteArray& bytes);
