#include "game/command.h"

#include "game/parsestate.h"
#include "game/turn.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "model/verblist.h"

namespace velmo {

namespace {

// The search form that pronouns stand for: nominative, with adjectives,
// without article, of the object's first name.
constexpr std::size_t kPronounForm = kSearchForms + 3;

// "ihn" in the next command means the one object of this one.
void notePronoun(tstory& story) {
    story.pronounText.clear();
    if (story.firstObjects.size() != 1 || !story.secondObjects.empty()) return;
    const tnode* object = story.firstObjects.front();
    if (!object->shortNames().empty())
        story.pronounText = object->shortNames().front().form(kPronounForm);
}

// Calls "onAction" of every object in the list. The list is read afresh
// after each call: "halt" may empty it. True when one of them handled it.
bool actOn(std::vector<tnode*>& list, const std::string& verbId, tparse& p) {
    bool handled = false;
    for (std::size_t i = 0; i < list.size() && !p.story.services.isStopped(); ++i) {
        if (p.call(list[i], "onAction", verbId) != "0") handled = true;
    }
    return handled;
}

// The objects, then, when none of them handled it, the replacement node
// of a repeated command and the actor.
void act(const std::string& verbId, tparse& p) {
    tstory& story = p.story;
    bool handled = false;
    if (!story.firstObjects.empty() && !story.services.isStopped()) {
        handled = actOn(story.firstObjects, verbId, p);
        if (!story.secondObjects.empty() && !story.services.isStopped())
            handled = actOn(story.secondObjects, verbId, p) || handled;
    }
    if (handled || story.services.isStopped()) return;
    if (story.actor == p.replaced && p.replacement &&
        p.call(p.replacement, "onAction", verbId) != "0")
        return;
    if (p.call(story.actor, "onAction", verbId) == "0")
        story.services.writeText("Das geht leider nicht.^");
}

}  // namespace

void runCommand(const tverb& verb, tparse& p) {
    tstory& story = p.story;
    notePronoun(story);

    for (std::size_t i = 0; i < story.hooks.size(); ++i)
        p.call(story.hooks[i], "beforeAction", verb.identifier);

    const bool ordered = story.actor != story.player;
    if (!ordered || p.call(story.actor, "onOrder", verb.identifier) == "0") act(verb.identifier, p);

    if (!verb.noTime && !story.noTurn) endTurn(story, p.interpreter);

    // A "halt 3" counts for one recognised command only.
    story.noTurn = false;
    story.firstObjects.clear();
    story.secondObjects.clear();
    story.services.updateStatusLine();
}

}  // namespace velmo
