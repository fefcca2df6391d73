// Which options go together. One rule throughout: an option that has no
// effect in the mode the command line chose is refused, never ignored.
#ifndef TROTIX_TOOLS_OPTIONRULES_H_
#define TROTIX_TOOLS_OPTIONRULES_H_

#include <string>
#include <string_view>

#include "tools/trotix-gait/GaitOptions.h"

namespace trotix {

// Throws InputError naming the first option, in command-line order, that
// means nothing with the others, or two outputs that name the same file.
void CheckCombination(const GaitOptions& options);

// Whether `name` ends in `suffix` (given in lower case), in any case, after
// a stem: the file kinds the options take go by their names.
bool EndsWith(const std::string& name, std::string_view suffix);

}  // namespace trotix

#endif  // TROTIX_TOOLS_OPTIONRULES_H_
