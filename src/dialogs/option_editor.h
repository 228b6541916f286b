// What "Ü&bernehmen" of the option editor does with its three texts.
#pragma once
#include <string>

#include "platform/dialogs.h"
#include "platform/message_box.h"

// What Velkor.ini could not keep of `texts`, as lines of a German message; ""
// if everything fits.
std::string whatWouldBeCut(const OptionTexts& texts);

// `texts` as Velkor.ini keeps them: values cut to 128 characters, lines after
// the 20th that is not empty left out.
OptionTexts cutToFit(const OptionTexts& texts);

// "Ü&bernehmen": true if the editor may close, with `texts` taken over as
// the program keeps them: CR LF, a lone LF and a lone CR are each a line
// break, held as CR LF, and in the one-line name a blank; ^Z, which ends a
// text for DOS and which the profile functions drop, is left out. When
// something would be cut the user is asked first; going back keeps the
// editor open.
bool acceptOptionTexts(OptionTexts& texts, MessageBoxes& boxes);
