#include "Tokenslexico.h"
