#include "Alexico.h"
