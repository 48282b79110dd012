// Applies one language to every page at once: the application title, every fixed caption and
// label, the help topics and their texts, the help buttons' caption and the common background.
#pragma once
#include <string>

namespace vindrel {

class TfrmBlack;

// code is "da", "se", "no" or "fi"; any other text changes nothing. Every page must exist.
void SaetSprog(TfrmBlack& shell, const std::string& code);

}  // namespace vindrel
