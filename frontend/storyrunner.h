#ifndef VELMO_FRONTEND_STORYRUNNER_H
#define VELMO_FRONTEND_STORYRUNNER_H

// Opening a story and starting it: load the story, run the "init" of every
// object that has one, declare the command parser's variables on the root
// and run the root's "main". Every front end (the desktop player, the
// terminal player, the run driver and the tests) opens stories this way.

#include <memory>
#include <string>

namespace velmo {

class tinterpreter;
class tservices;
class tstory;
struct tstorysource;

// The start-up of a loaded story, in order: `runInits`,
// `declareParserVariables`, the root's "main". Story code that ends the
// game ("quit") throws tabort out of it.
void startStory(tstory& story, tinterpreter& interpreter);
// Runs "init" of every class/object child of the root that has one, its
// own or inherited, in the order of the root's children.
void runInits(tstory& story, tinterpreter& interpreter);
// Declares "quote", "topic", "number" (strings) and "count" (integer) on
// the root for the command parser; an error sets the front end's
// `stopped`.
void declareParserVariables(tstory& story);

// Owns one open story with its file list and start-up interpreter.
class tstoryrunner {
public:
    explicit tstoryrunner(tservices& services);
    ~tstoryrunner();

    tstoryrunner(const tstoryrunner&) = delete;
    tstoryrunner& operator=(const tstoryrunner&) = delete;

    // Opens (or reopens) the story file and runs its start-up functions.
    // False when the story could not be loaded: the loader has reported
    // why, and no story is open. An error or the end of the game during
    // the start-up leaves the story open with `stopped` set.
    bool open(const std::string& fileName);
    // Frees the story; the error report maps no lines any more.
    void close();

    bool isOpen() const { return story_ != nullptr; }
    // True when the start-up left a player with a location and nothing
    // stopped the story: it can take commands.
    bool playable() const;

    tstory* story() const { return story_.get(); }
    tinterpreter* interpreter() const { return interpreter_.get(); }

private:
    void resetGameState();

    tservices& services;
    std::unique_ptr<tstorysource> source;
    std::unique_ptr<tstory> story_;
    std::unique_ptr<tinterpreter> interpreter_;
};

} // namespace velmo

#endif
