#ifndef VELMO_FRONTEND_AUTHORING_H
#define VELMO_FRONTEND_AUTHORING_H

// The authoring commands of the menu "&Optionen": "&Quelltext
// compilieren", "Text extrahieren" and "&Grafik kopieren". They write to
// the story window through the front-end services and show their message
// boxes through the platform. Compiling and copying pictures are offered
// only while no story is open.

#include <string>
#include <vector>

#include "frontend/platform.h"

namespace velmo {

class tservices;
struct tnotice;

class tauthoring {
public:
    tauthoring(tplatform& host, tservices& frontEnd) : platform(host), services(frontEnd) {}

    // The menu entries: ask for the file(s), then do the work below.
    // False when the dialog was cancelled or the work failed.
    bool compileCommand();
    bool extractTextCommand();

    // Compiles a story source; the report goes to the story window, a
    // refusal or failure to a warning box.
    bool compileFile(const std::string& sourceFile);
    // Extracts the literals of a source file into the save folder.
    bool extractTextFile(const std::string& sourceFile);
    // Packs pictures into the save folder's picture container (the host's
    // dialog chooses them: a multiple selection of JPEG files).
    bool copyPictureFiles(const std::vector<std::string>& files);

private:
    bool show(const tnotice& notice);

    tplatform& platform;
    tservices& services;
};

// The filters of the authoring dialogs.
inline constexpr const char* kSourceFilter = "Quelltextateien (*.velmo)|*.VELMO;*.VEL";
inline constexpr const char* kPictureFilter = "JPEG Dateien (*.jpg)|*.JPG;*.JPEG";

}  // namespace velmo

#endif
