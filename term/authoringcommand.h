#ifndef VELMO_TERM_AUTHORINGCOMMAND_H
#define VELMO_TERM_AUTHORINGCOMMAND_H

// The authoring tools on the command line, with the files, texts and
// messages of the menu commands, and the check that editors run:
//   velmo-term --check STORY            each error as "file:line: message"
//   velmo-term --compile STORY.velmo    compiled story file and its report
//   velmo-term --extract STORY.velmo    extracted text file t_NAME.txt
//   velmo-term --pictures A.jpg B.jpg   picture container grafik.fg and
//                                       picture list grafik.velmo
// The extracted text and the picture files go to the current folder.

namespace velmo {

// True for "--check", "--compile", "--extract" and "--pictures".
bool isAuthoringOption(const char* argument);

// Runs the tool named by argv[1] on the files after it; the story window's
// text and the message boxes go to standard output. Exit codes: 0 done,
// 1 failed, 2 bad usage.
int runAuthoringCommand(int argc, char** argv);

}  // namespace velmo

#endif
