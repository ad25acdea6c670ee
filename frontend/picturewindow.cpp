// The picture window of the "openWin" and "closeWin" statements: picture
// k of the open story's picture container, checked (decoded at the
// smallest scale, which finds the same faults as the full size), copied to
// the temporary picture file and handed to the host, which decodes it at
// the scale it shows (or names it).

#include "frontend/game.h"
#include "frontend/picturedecoder.h"
#include "story/authoring.h"
#include "story/pictures.h"

namespace velmo {

void tgame::showPicture(const std::string& caption, int32_t number, int32_t line) {
    closePicture();
    tstorypicture picture;
    std::string problem;
    const std::string file =
        fileInFolder(pictureFolder.empty() ? saveFolder : pictureFolder, kTemporaryPicture);
    const bool shown = readPicture(pictureContainerOf(storyFile), number, picture.jpeg, problem) &&
                       checkPicture(picture.jpeg, picture.full, problem);
    if (!shown || !writePictureFile(file, picture.jpeg)) {
        // The reason follows the message, so that the author knows what
        // to mend: a missing number, a damaged or cut picture.
        bool failed = false;
        showError(failed, line,
                  "Grafikdatei kann nicht ge\xF6"
                  "ffnet werden" +
                      (problem.empty() ? std::string() : ": " + problem));
        return;
    }
    // Set first: a host that fails to show it reports the window closed.
    pictureOpen = true;
    platform.showPicture(caption, picture, file);
}

void tgame::closePicture() {
    if (!pictureOpen) return;
    platform.closePicture();
    pictureOpen = false;
}

}  // namespace velmo
