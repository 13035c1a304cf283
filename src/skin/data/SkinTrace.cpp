#include "skin/data/SkinTrace.h"

// Nothing is written: a build for debugging may route the texts to a debugger.
void SkinTrace(const std::string&) {}
