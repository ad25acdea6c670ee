#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/qtplatform.h"
#include "frontend/folders.h"
#include "frontend/optionsfile.h"
#include "frontend/settings.h"

namespace velmo {

void startPlayer(tmainwindow& window, const std::string& argument) {
    tsettings settings(optionsFolder());
    // An unreadable file leaves the defaults; the player still starts.
    const bool readable = settings.load();
    window.takeSettings(settings);
    if (!readable) window.host().showMessage(tmessagekind::warning, kOptionsUnreadable);
    const std::string story = storyToOpen(argument, settings);
    if (!story.empty()) window.openStartStory(story);
}

}  // namespace velmo
