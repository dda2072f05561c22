// Writing result files so that a failure never leaves a partial file or destroys an old one,
// and a group of files is written as a whole or not at all.
#pragma once

#include <string>
#include <vector>

struct FicheroPendiente {
  std::string ruta;
  std::string contenido;
};

// Each file goes to a temporary file beside its target, is flushed to disk, and replaces the
// target only once every temporary file is complete; when a replacement fails, the files
// already replaced get their old contents back. False, with a message naming the file, when
// nothing was written.
bool EscribirTodosONinguno(const std::vector<FicheroPendiente>& ficheros, std::string& error);

// Whether two paths name the same file (existing or not), following symbolic links: where both
// exist, by device and inode, so that hard links count too.
bool MismoFichero(const std::string& a, const std::string& b);

// Whether writing to `salida` would replace the regular file that `entrada` reads ("-": standard
// input), by device and inode.
bool PisaEntrada(const std::string& salida, const std::string& entrada);
