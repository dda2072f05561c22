#include "Asintactico.h"
