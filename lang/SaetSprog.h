// Applies one language to every page at once: the application title, every fixed caption and
// label, the help topics and their texts, the help buttons' caption and the common background.
#pragma once
#include <string>

#include "app/Pages.h"

namespace vindrel {

class TfrmBlack;

// code is "da", "se", "no" or "fi"; any other text changes nothing. To every page made so far.
void SaetSprog(TfrmBlack& shell, const std::string& code);
// The same for the pages of the set only (a page made after the others).
void SaetSprog(TfrmBlack& shell, const std::string& code, const PageSet& pages);

}  // namespace vindrel
