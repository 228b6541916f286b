// The program's modal dialogs, each shown over the main window.
#pragma once
#include "dialogs/option_edit.h"

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The option editor. True if the user accepted; `texts` then holds what was typed.
    virtual bool editOption(OptionEdit& texts) = 0;
};
