#ifndef VELMO_STORY_INCLUDEPATH_H
#define VELMO_STORY_INCLUDEPATH_H

// Where an included source file is looked for.
//
// Stories are written on systems where "\" separates folders and letter
// case does not matter in file names. Here "/" and "\" both separate
// folders, paths are built with "/", and a file or folder that does not
// exist as written is looked up in its folder in any letter case.

#include <string>
#include <string_view>

namespace velmo {

// Appends ".velmo" to a file name that holds no "." anywhere.
std::string withSourceExtension(std::string name);

// True when the name has a folder part ("/" or "\").
bool hasFolder(std::string_view name);

// The folder part of a path built with "/", with its final "/"; empty for
// a bare file name, whose folder is the current folder.
std::string folderOf(std::string_view path);

// The path of an included file: a name with a folder part stands as
// written (with "/" for "\"), a bare name lies in the folder of the file
// that includes it.
std::string includePath(std::string_view currentFile, std::string_view includeName);

// The existing regular file for a path: the path itself when it names
// one, else the first match (in sorted order) of every missing folder and
// file name in another letter case. Empty when there is none.
std::string findSourceFile(const std::string& path);

// True when two file names are equal without regard to letter case,
// whether they are written in UTF-8 or in Windows-1252.
bool sameFileName(std::string_view a, std::string_view b);

}  // namespace velmo

#endif
