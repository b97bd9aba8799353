// The process's environment, for what a library reads from it when it starts (Mesa's driver
// choice, say): set before the library starts.
#pragma once

void setEnvironmentVariable(const char* name, const char* value);
