#include "dictionary.h"
// Placeholder until the indexed dictionary lands.
