#include "Mostraranalisis.h"
