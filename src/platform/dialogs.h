// The program's modal dialogs, each shown centred over the main window. A
// dialog shows and collects; what its buttons lead to is decided by the caller.
#pragma once
#include <functional>

#include "dialogs/option_edit.h"

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // The option editor. "Ü&bernehmen" hands what was typed to `accept`, which
    // may change it and says whether the editor closes. True if it closed that
    // way; `texts` then holds the accepted texts.
    virtual bool editOption(OptionEdit& texts, const std::function<bool(OptionEdit&)>& accept) = 0;
};
