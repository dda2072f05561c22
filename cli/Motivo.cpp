#include "Motivo.h"

#include <cerrno>
#include <cstring>

namespace {

struct TextoMotivo {
  int codigo;
  const char* texto;
};

// A Spanish locale may well be missing, so the common reasons are spelled out here.
constexpr TextoMotivo kMotivos[] = {
    {ENOENT, "no existe el fichero o el directorio"},
    {EACCES, "permiso denegado"},
    {EPERM, "operación no permitida"},
    {EISDIR, "es un directorio"},
    {ENOTDIR, "una parte de la ruta no es un directorio"},
    {ENAMETOOLONG, "nombre de fichero demasiado largo"},
    {ELOOP, "demasiados niveles de enlaces simbólicos"},
    {EEXIST, "el fichero ya existe"},
    {ENOSPC, "no queda espacio en el dispositivo"},
    {EDQUOT, "se ha superado la cuota de disco"},
    {EFBIG, "fichero demasiado grande"},
    {EROFS, "sistema de ficheros de solo lectura"},
    {ETXTBSY, "fichero de texto ocupado"},
    {EBUSY, "dispositivo o recurso ocupado"},
    {EIO, "error de entrada/salida"},
    {EMFILE, "demasiados ficheros abiertos"},
    {ENFILE, "demasiados ficheros abiertos en el sistema"},
    {ENOMEM, "memoria insuficiente"},
    {EBADF, "descriptor de fichero no válido"},
    {EPIPE, "tubería rota"},
    {ENXIO, "no existe el dispositivo o la dirección"},
    {EINVAL, "argumento no válido"},
};

}  // namespace

std::string MotivoFallo(int codigo) {
  for (const TextoMotivo& motivo : kMotivos)
    if (motivo.codigo == codigo) return motivo.texto;
  return std::strerror(codigo);
}
