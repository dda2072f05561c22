#include "Simbolos.h"
