// Why a system call failed, for the messages quindel-cli writes on standard error: Spanish text
// (UTF-8) for the errors a user can meet with files and streams, whatever the locale.
#pragma once

#include <string>

// The reason for `codigo` (an errno value); the C library's own text for the rare others.
std::string MotivoFallo(int codigo);
