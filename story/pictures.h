#ifndef VELMO_STORY_PICTURES_H
#define VELMO_STORY_PICTURES_H

// The picture container: JPEG pictures packed behind an offset table.
// All integers are 32-bit little-endian signed:
//   n, the number of pictures
//   n offsets from the start of the file (picture 0 at 4 * (n + 1))
//   the pictures' bytes, in order, with nothing between them.
// Picture k runs from its offset to the offset of picture k + 1, the last
// one to the end of the file. The container does not decode pictures.

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class tservices;

// The files of "&Grafik kopieren" in the save folder, and the file a shown
// picture is copied to.
inline constexpr const char* kPictureContainer = "grafik.fg";
inline constexpr const char* kPictureList = "grafik.velmo";
inline constexpr const char* kTemporaryPicture = "temp.jpg";

// The offsets of pictures of these sizes. False when the container would
// not fit the 32-bit offsets.
bool pictureOffsets(const std::vector<std::uintmax_t>& sizes, std::vector<int32_t>& offsets);

// The container of a story: the story file up to and including the first
// "." of its file name, then "fg" (abenteuer.data gives abenteuer.fg, in
// the story's folder); the file name + ".fg" when it has no ".".
std::string pictureContainerOf(const std::string& storyFile);

// Picture `number` of a container. False, with `bytes` empty, when the
// container is missing or unreadable, holds no picture of that number, or
// its table points outside the file (a damaged container never makes
// this read more than the file holds); `problem` then says which, in
// German (Windows-1252), naming the container without its folder.
bool readPicture(const std::string& container, int32_t number, std::vector<unsigned char>& bytes,
                 std::string& problem);
inline bool readPicture(const std::string& container, int32_t number,
                        std::vector<unsigned char>& bytes) {
    std::string problem;
    return readPicture(container, number, bytes, problem);
}

// Writes a picture to `path`, which then holds exactly these bytes: a
// missing file is created, a longer earlier picture is replaced whole.
bool writePictureFile(const std::string& path, const std::vector<unsigned char>& bytes);

// "&Grafik kopieren": packs the JPEG files, in this order, into the
// container in `saveFolder` and writes the picture list beside it (a block
// comment for the story source naming each picture's number), reporting
// each step to the story window. Either both files are written whole or
// neither is touched; false then, with the reason in the story window.
bool copyPictures(const std::vector<std::string>& files, const std::string& saveFolder,
                  tservices& services);

}  // namespace velmo

#endif
