#include "platform/Environment.h"

#include <cstdlib>

void setEnvironmentVariable(const char* name, const char* value) { setenv(name, value, 1); }
