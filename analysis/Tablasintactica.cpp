#include "Tablasintactica.h"
