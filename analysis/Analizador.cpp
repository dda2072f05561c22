#include "Analizador.h"
