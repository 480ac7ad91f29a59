// Files the program is started with or handed by a second copy; download marks.

#include "core/main_window/file_start.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/base/web_mark.h"
#include "core/main_window/hand_over_payload.h"
#include "model_fixture.h"

namespace keyreel {
namespace {

class FileStartTest : public ::testing::Test, protected ModelParts {
  protected:
    FileStartTest()
        : starter(model, desktop, askedFiles,
                  {[this](std::int32_t) { return countDownGoes; }, [this] { ++windowShown; },
                   [this](const std::string& path) { recent.push_back(path); }}) {
        folder.write("a.kyr", "SendText >a\r\n");
        folder.write("b.kyr", "SendText >b\r\n");
        model.setAskedFiles(&askedFiles);
    }
    // What was typed from event `from` on, and "?" where the download question came.
    std::string since(std::size_t from = 0) const {
        std::string seen;
        for (std::size_t i = from; i < desktop.events().size(); ++i) {
            const std::string& event = desktop.events()[i];
            if (event.starts_with("type "))
                seen += event.substr(6, event.size() - 7);
            if (event.find("came from the internet") != std::string::npos)
                seen += "?";
        }
        return seen;
    }

    std::set<std::string> downloaded;
    AskedFiles askedFiles{desktop,
                          [this](const std::string& path) { return downloaded.contains(path); }};
    FileStarter starter;
    bool countDownGoes = true;
    int windowShown = 0;
    std::vector<std::string> recent;
};

TEST_F(FileStartTest, PlaysOnlyWhatTheSettingsAndTheUserAllow) {
    // Play loaded, from the internet, the answer, count-down goes; asked and typed.
    const std::tuple<bool, bool, MessageAnswer, bool, const char*> cases[] = {
        {false, false, MessageAnswer::Yes, true, ""},  // loaded only
        {true, false, MessageAnswer::Yes, false, ""},  // count-down cancelled
        {false, true, MessageAnswer::Yes, true, ""},   // nothing to ask: no play
        {true, true, MessageAnswer::No, true, "?"},   {true, true, MessageAnswer::Yes, true, "?a"},
        {true, true, MessageAnswer::Yes, false, ""},  // the Yes before holds
    };
    const std::string path = folder.file("a.kyr");
    for (const auto& [playLoaded, fromInternet, answer, goes, seen] : cases) {
        SCOPED_TRACE(testing::Message() << playLoaded << fromInternet << goes);
        const std::size_t from = desktop.events().size();
        model.clearList();
        downloaded.clear();
        if (fromInternet)
            downloaded.insert(path);
        desktop.questionAnswer = answer;
        countDownGoes = goes;
        starter.start(planStartup("\"" + path + "\"", playLoaded, true, 3));
        EXPECT_EQ(model.list(), MacroList{"SendText >a"}) << "loaded in every case";
        EXPECT_EQ(since(from), seen);
        EXPECT_EQ(recent.back(), path);
    }
}

// Oldest first after the play; those beyond the most that wait are dropped, told once.
TEST_F(FileStartTest, HandOversWaitUntilThePlayUnderWayHasEnded) {
    starter.setSettings({true, false, 0});
    folder.write("long.kyr", "Wait >1\r\nSendText >l\r\n");
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        EXPECT_TRUE(starter.handOver("\"" + folder.file("b.kyr") + "\""));
        for (std::size_t i = 0; i < FileStarter::kMostWaiting + 2; ++i)
            EXPECT_TRUE(starter.handOver(folder.file("a.kyr"))) << "taken, dropped or not";
        EXPECT_TRUE(starter.startHandedOver()) << "still waiting during the play";
        EXPECT_EQ(windowShown, 0);
    };
    model.playMacroFile(folder.file("long.kyr"));
    EXPECT_EQ(since(), "l") << "the running play went on unchanged";
    EXPECT_FALSE(starter.startHandedOver());
    EXPECT_EQ(since(), "lb" + std::string(FileStarter::kMostWaiting - 1, 'a'));
    EXPECT_FALSE(starter.waiting());
    EXPECT_THAT(desktop.events(),
                testing::Contains(testing::HasSubstr(" 3 of them were not opened")).Times(1));
}

TEST(HandOverPayload, OnlyWholeCodeUnitsUnderTheTagWithinACommandLinesSizeAreTaken) {
    using namespace std::string_view_literals;
    const std::string_view sent = "a\0.\0k\0y\0r\0"sv;
    std::string longest;
    while (longest.size() < kLongestHandOverBytes)
        longest += "a\0"sv;
    const std::tuple<std::uint64_t, std::string_view, std::optional<std::string>, bool> cases[] = {
        {kHandOverTag + 1, sent, std::nullopt, false},  // another program's data
        {kHandOverTag, sent.substr(0, sent.size() - 1), std::nullopt, false},  // half a unit
        {kHandOverTag, "b\0\0\0c\0"sv, "b", false},
        {kHandOverTag, "\xE9\0\x60\x4F\x3D\xD8\x00\xDE"sv, "\xC3\xA9\xE4\xBD\xA0\xF0\x9F\x98\x80",
         false},
        {kHandOverTag, longest, std::string(kLongestHandOverBytes / 2, 'a'), false},
        {kHandOverTag, longest + "a\0", std::nullopt, false},
        {kShowWindowTag, {}, std::nullopt, true},
        {kShowWindowTag, sent, std::nullopt, false},
    };
    int row = 0;
    for (const auto& [tag, bytes, taken, show] : cases) {
        EXPECT_EQ(handedOverCommandLine(tag, bytes), taken) << row;
        EXPECT_EQ(asksToShowWindow(tag, bytes), show) << row++;
    }
}

// A stream that cannot be read or names no zone leaves the file in doubt.
TEST(WebMark, EitherSourceMarksAndAFileInDoubtIsMarked) {
    using State = ZoneStream::State;
    const std::tuple<State, const char*, LocationZone, bool> cases[] = {
        {State::Read, "[ZoneTransfer]\r\nZoneId=4\r\nReferrerUrl=https://x.test/\r\n", 0, true},
        {State::Read, "[zonetransfer]\nzoneid = 03\n", std::nullopt, true},
        {State::Read, "\xEF\xBB\xBF[ZoneTransfer]\r\nZoneId=3", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=1\r\n", std::nullopt, false},  // intranet
        {State::Read, "[ZoneTransfer]\r\nZoneId=2\r\n", 0, false},             // trusted sites
        {State::Read, "[ZoneTransfer]\r\nZoneId=0\r\n", 3, true},              // a share out there
        {State::Absent, "", 4, true},
        {State::Absent, "", 1, false},
        {State::Unreadable, "", 0, true},
        {State::Read, "[Other]\r\nZoneId=1\r\n", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=99999999999\r\n", std::nullopt, true},
    };
    for (const auto& [state, text, location, marked] : cases)
        EXPECT_EQ(webMarked({state, text}, location), marked) << text << location.value_or(99);
    using namespace std::string_literals;  // UTF-16 with its byte-order mark
    EXPECT_EQ(
        zoneOfStream(
            "\xFF\xFE[\0Z\0o\0n\0e\0T\0r\0a\0n\0s\0f\0e\0r\0]\0\n\0Z\0o\0n\0e\0I\0d\0=\0\x31\0"s),
        1u);
}

}  // namespace
}  // namespace keyreel
