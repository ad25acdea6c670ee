// The picture window of the "openWin" and "closeWin" statements: picture
// k of the open story's picture container, copied to the temporary
// picture file and handed to the host, which shows it (or names it).

#include "frontend/game.h"
#include "story/authoring.h"
#include "story/pictures.h"

namespace velmo {

void tgame::showPicture(const std::string& caption, int32_t number, int32_t line) {
    closePicture();
    std::vector<unsigned char> picture;
    const std::string file =
        fileInFolder(pictureFolder.empty() ? saveFolder : pictureFolder, kTemporaryPicture);
    if (!readPicture(pictureContainerOf(storyFile), number, picture) ||
        !writePictureFile(file, picture)) {
        bool failed = false;
        showError(failed, line,
                  "Grafikdatei kann nicht ge\xF6"
                  "ffnet werden");
        return;
    }
    platform.showPictureFile(caption, picture, file);
    pictureOpen = true;
}

void tgame::closePicture() {
    if (!pictureOpen) return;
    platform.closePicture();
    pictureOpen = false;
}

}  // namespace velmo
