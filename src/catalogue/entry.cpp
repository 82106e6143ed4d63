#include "entry.h"
