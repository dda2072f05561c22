#include "Conjuntosexactos.h"
