#include "behaviour/tutorials.h"

#include "runtime/data_files.h"
#include "runtime/durable_save.h"
#include "runtime/game.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/settings.h"
#include "ui/help_text.h"
#include "ui/lang_text.h"
#include "ui/text.h"

namespace drovil {

void triggerTutorial(const std::string& name, bool forced) {
    DictDataFile& flags = tutorialFlagsFile();
    // A seen tutorial still comes back now and then, as a reminder: it stays
    // away on draws 0 to 3 of 0 to 4.
    if (!forced && flags.getInt(name, 0) != 0 && randomInt(0, 5) <= 3)
        return;
    showHelpText(expandLineBreaks(langText("tutorial." + name)), tutorialDurationMs);
    log("Tutorials: triggered: " + name);
    if (isDebugToolsOn())
        return;
    flags.setInt(name, 1);
    saveDurably(flags);
}

bool hintsEnabled() {
    return getSettingBool("Hints");
}

} // namespace drovil
