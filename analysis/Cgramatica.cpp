#include "Cgramatica.h"
