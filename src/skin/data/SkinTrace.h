// The skin engine's progress texts ("*****Skin Active finish", ...): handed
// to a trace output that in this build writes nothing.
#pragma once

#include <string>

// Hands a progress text of the skin engine to the trace output.
void SkinTrace(const std::string& Text);
