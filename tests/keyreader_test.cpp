#include "term/keyreader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmo {
namespace {

std::vector<tkeyevent> decodeAll(tkeyreader& reader) {
    std::vector<tkeyevent> out;
    tkeyevent event;
    while (reader.next(event)) out.push_back(event);
    return out;
}

std::vector<tkeyevent> decode(std::string_view bytes) {
    tkeyreader reader;
    reader.feed(bytes);
    return decodeAll(reader);
}

tkey onlyKey(std::string_view bytes) {
    const auto events = decode(bytes);
    EXPECT_EQ(events.size(), 1u) << bytes;
    return events.empty() ? tkey::none : events[0].key;
}

TEST(KeyReaderCharacters, PlainEnterBackspaceAndTab) {
    const auto events = decode("a\r\x7F\x08\n\t");
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].key, tkey::other);
    EXPECT_EQ(events[0].character, 'a');
    EXPECT_EQ(events[0].text, "a");
    EXPECT_EQ(events[1].key, tkey::enter);
    EXPECT_EQ(events[1].character, 13);
    EXPECT_EQ(events[2].key, tkey::backspace);
    EXPECT_EQ(events[2].character, 8);
    EXPECT_EQ(events[3].key, tkey::backspace);
    EXPECT_EQ(events[4].key, tkey::enter);
    EXPECT_EQ(events[5].character, 9);
}

TEST(KeyReaderCharacters, CtrlLettersArriveAsControlCharacters) {
    const auto events = decode("\x13\x0C\x03");  // Ctrl+S, Ctrl+L, Ctrl+C
    ASSERT_EQ(events.size(), 3u);
    for (const auto& event : events) {
        EXPECT_EQ(event.key, tkey::other);
        EXPECT_TRUE(event.modifiers.ctrl);
    }
    EXPECT_EQ(events[0].character, 19);
    EXPECT_EQ(events[1].character, 12);
    EXPECT_EQ(events[2].character, 3);
    EXPECT_TRUE(decode(std::string("\0\x1c", 2)).empty());
}

TEST(KeyReaderCharacters, Utf8BecomesWindows1252) {
    const auto events = decode("\xC3\xA4\xC3\x9F\xE2\x82\xAC");  // ä ß €
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].character, '\xE4');
    EXPECT_EQ(events[0].text, "\xC3\xA4");
    EXPECT_EQ(events[1].character, '\xDF');
    EXPECT_EQ(events[2].character, '\x80');
}

TEST(KeyReaderCharacters, CharactersWithoutWindows1252FormTypeNothing) {
    // A Cyrillic letter and an emoji keep their bytes for file names only.
    const auto events = decode("\xD0\x96\xF0\x9F\x98\x80x");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].key, tkey::none);
    EXPECT_EQ(events[0].character, 0);
    EXPECT_EQ(events[0].text, "\xD0\x96");
    EXPECT_EQ(events[1].text, "\xF0\x9F\x98\x80");
    EXPECT_EQ(events[2].character, 'x');
}

TEST(KeyReaderCharacters, BrokenUtf8IsDroppedAndDecodingResumes) {
    // A stray continuation byte, a lead byte cut by "a", an overlong form.
    const auto events = decode(
        "\x80"
        "\xC3"
        "a"
        "\xC0\xAF"
        "b");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].character, 'a');
    EXPECT_EQ(events[1].character, 'b');
}

TEST(KeyReaderCharacters, Utf8SplitAcrossReadsWaitsForItsRest) {
    tkeyreader reader;
    reader.feed("\xC3");
    EXPECT_TRUE(reader.pending());
    EXPECT_TRUE(decodeAll(reader).empty());
    reader.feed("\xBC");
    const auto events = decodeAll(reader);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].character, '\xFC');
    EXPECT_FALSE(reader.pending());
}

TEST(KeyReaderSequences, CursorAndEditingKeys) {
    EXPECT_EQ(onlyKey("\x1b[A"), tkey::up);
    EXPECT_EQ(onlyKey("\x1b[B"), tkey::down);
    EXPECT_EQ(onlyKey("\x1b[C"), tkey::right);
    EXPECT_EQ(onlyKey("\x1b[D"), tkey::left);
    EXPECT_EQ(onlyKey("\x1bOA"), tkey::up);
    EXPECT_EQ(onlyKey("\x1b[H"), tkey::home);
    EXPECT_EQ(onlyKey("\x1b[F"), tkey::end);
    EXPECT_EQ(onlyKey("\x1b[1~"), tkey::home);
    EXPECT_EQ(onlyKey("\x1b[4~"), tkey::end);
    EXPECT_EQ(onlyKey("\x1b[7~"), tkey::home);
    EXPECT_EQ(onlyKey("\x1b[8~"), tkey::end);
    EXPECT_EQ(onlyKey("\x1b[2~"), tkey::insert);
    EXPECT_EQ(onlyKey("\x1b[3~"), tkey::del);
    EXPECT_EQ(onlyKey("\x1b[5~"), tkey::pageUp);
    EXPECT_EQ(onlyKey("\x1b[6~"), tkey::pageDown);
}

TEST(KeyReaderSequences, FunctionKeysOfEveryFamily) {
    EXPECT_EQ(onlyKey("\x1bOP"), tkey::f1);
    EXPECT_EQ(onlyKey("\x1bOS"), tkey::f4);
    EXPECT_EQ(onlyKey("\x1b[11~"), tkey::f1);
    EXPECT_EQ(onlyKey("\x1b[12~"), tkey::f2);
    EXPECT_EQ(onlyKey("\x1b[15~"), tkey::f5);
    EXPECT_EQ(onlyKey("\x1b[17~"), tkey::f6);
    EXPECT_EQ(onlyKey("\x1b[21~"), tkey::f10);
    EXPECT_EQ(onlyKey("\x1b[[A"), tkey::f1);  // Linux console
    EXPECT_EQ(onlyKey("\x1b[[E"), tkey::f5);
    EXPECT_EQ(onlyKey("\x1b[1;2P"), tkey::f1);
    // F11 is no key of the players; F12 opens the terminal player's menu.
    EXPECT_TRUE(decode("\x1b[23~").empty());
    EXPECT_EQ(onlyKey("\x1b[24~"), tkey::f12);
}

TEST(KeyReaderSequences, ModifiersOfXtermParameters) {
    const auto events = decode("\x1b[1;5C\x1b[1;2A\x1b[3;3~\x1bO5D");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].key, tkey::right);
    EXPECT_TRUE(events[0].modifiers.ctrl);
    EXPECT_FALSE(events[0].modifiers.shift);
    EXPECT_TRUE(events[1].modifiers.shift);
    EXPECT_EQ(events[2].key, tkey::del);
    EXPECT_TRUE(events[2].modifiers.alt);
    EXPECT_EQ(events[3].key, tkey::left);
    EXPECT_TRUE(events[3].modifiers.ctrl);
}

TEST(KeyReaderSequences, SequencesSplitAcrossReads) {
    tkeyreader reader;
    reader.feed("\x1b");
    reader.feed("[1");
    reader.feed("5~x");
    const auto events = decodeAll(reader);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].key, tkey::f5);
    EXPECT_EQ(events[1].character, 'x');
}

TEST(KeyReaderEscape, LoneEscNeedsTheTimeout) {
    tkeyreader reader;
    reader.feed("\x1b");
    EXPECT_TRUE(reader.pending());
    EXPECT_TRUE(decodeAll(reader).empty());
    reader.timeout();
    const auto events = decodeAll(reader);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].key, tkey::escape);
    EXPECT_FALSE(reader.pending());
}

TEST(KeyReaderEscape, EscBeforeAnotherEscOrEnterIsAKeyOfItsOwn) {
    const auto events = decode("\x1b\x1b[A\x1b\r");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].key, tkey::escape);
    EXPECT_EQ(events[1].key, tkey::up);
    EXPECT_EQ(events[2].key, tkey::escape);
    EXPECT_EQ(events[3].key, tkey::enter);
}

TEST(KeyReaderEscape, AltWithALetterTypesNothing) {
    const auto events = decode("\x1bxy");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].modifiers.alt);
    EXPECT_EQ(events[0].character, 0);
    EXPECT_EQ(events[1].character, 'y');
}

TEST(KeyReaderEscape, UnfinishedSequenceIsDroppedAtTheTimeout) {
    tkeyreader reader;
    reader.feed("\x1b[1;");
    reader.timeout();
    EXPECT_TRUE(decodeAll(reader).empty());
    reader.feed("a");
    EXPECT_EQ(decodeAll(reader).size(), 1u);
}

TEST(KeyReaderEscape, GarbageNeverPilesUp) {
    tkeyreader reader;
    // An endless parameter run is cut off; a control byte inside a
    // sequence breaks it; unknown final bytes are no keys.
    reader.feed("\x1b[" + std::string(1000, '1'));
    EXPECT_FALSE(reader.pending());
    decodeAll(reader);
    reader.feed(
        "\x1b[12\x80"
        "b\x1b[99z\x1b[M");
    const auto events = decodeAll(reader);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].character, 'b');
    // Every byte value in every position: it must end and leave nothing
    // undecodable behind once the stream stops.
    for (int b = 0; b < 256; ++b) {
        reader.feed(std::string("\x1b[") + static_cast<char>(b) + "\x1bO" + static_cast<char>(b));
        decodeAll(reader);
    }
    reader.timeout();
    EXPECT_FALSE(reader.pending());
}

}  // namespace
}  // namespace velmo
