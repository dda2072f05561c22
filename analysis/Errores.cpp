#include "Errores.h"
