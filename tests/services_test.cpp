#include <gtest/gtest.h>

#include "support/recording_services.h"

using namespace velmo;
using velmo::test::RecordingServices;

namespace {
class TwoFileMapper : public tlinemapper {
public:
    std::string mapLine(int32_t& line) const override {
        if (line <= 10) return "haupt.velmo";
        line -= 10;
        return "raum.velmo";
    }
};
}  // namespace

TEST(ErrorReport, ShowsOnlyTheFirstErrorOfARun) {
    RecordingServices s;
    bool first = false, second = false;
    s.showError(first, 0, "eins");
    s.showError(second, 0, "zwei");
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_EQ(s.written, "Fehler: eins^");
    EXPECT_TRUE(s.isStopped());
    EXPECT_TRUE(s.saveDone);

    s.clearStopped();
    bool third = false;
    s.showError(third, -3, "drei");
    EXPECT_EQ(s.written, "Fehler: eins^Fehler: drei^");
}

TEST(ErrorReport, MapsTheLineToFileAndLine) {
    RecordingServices s;
    TwoFileMapper mapper;
    s.setLineMapper(&mapper);
    bool flag = false;
    s.showError(flag, 14, "Syntaxfehler");
    EXPECT_EQ(s.written, "raum.velmo Zeile 4 Syntaxfehler^");
}

TEST(ErrorReport, SilentWhileErrorsAreHidden) {
    RecordingServices s;
    s.setErrorDisplay(false);
    bool flag = false;
    s.showError(flag, 3, "versteckt");
    EXPECT_TRUE(flag);
    EXPECT_FALSE(s.isStopped());
    EXPECT_EQ(s.written, "");
}

TEST(ErrorReport, EndGameStopsAndMarksSaved) {
    RecordingServices s;
    s.endGame(true);
    EXPECT_TRUE(s.isStopped());
    EXPECT_TRUE(s.saveDone);
    EXPECT_TRUE(s.endedAsking);
}
