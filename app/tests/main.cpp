// The window tests: each group runs on one application object.

#include <QApplication>

namespace velmo::testing {
int runPlayTests(int argc, char** argv);
int runWaitTests(int argc, char** argv);
int runControlTests(int argc, char** argv);
int runStartTests(int argc, char** argv);
int runWindowsTests(int argc, char** argv);
int runPictureTests(int argc, char** argv);
int runPicturePlacementTests(int argc, char** argv);
}  // namespace velmo::testing

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    int failed = 0;
    failed += velmo::testing::runPlayTests(argc, argv);
    failed += velmo::testing::runWaitTests(argc, argv);
    failed += velmo::testing::runControlTests(argc, argv);
    failed += velmo::testing::runStartTests(argc, argv);
    failed += velmo::testing::runWindowsTests(argc, argv);
    failed += velmo::testing::runPictureTests(argc, argv);
    failed += velmo::testing::runPicturePlacementTests(argc, argv);
    return failed == 0 ? 0 : 1;
}
