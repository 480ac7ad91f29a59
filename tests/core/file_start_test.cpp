// Files the program is started with or handed by a second copy: count-down,
// load and play as the settings say, the question before a downloaded file
// plays, and hand-overs that wait for a running play.

#include "core/main_window/file_start.h"

#include <gtest/gtest.h>

#include <utility>

#include <algorithm>
#include <set>

#include "core/base/web_mark.h"
#include "core/main_window/hand_over_payload.h"
#include "model_fixture.h"

namespace keyreel {
namespace {

// A path as Explorer puts it on a command line.
std::string quoted(const std::string& path) {
    std::string line = "\"";
    line += path;
    line += '"';
    return line;
}

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

    // What was typed and whether the question came, from event `from` on.
    std::vector<std::string> typed(std::size_t from = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < desktop.events().size(); ++i) {
            if (desktop.events()[i].starts_with("type "))
                out.push_back(desktop.events()[i].substr(5));
        }
        return out;
    }
    bool asked(std::size_t from = 0) const {
        for (std::size_t i = from; i < desktop.events().size(); ++i) {
            if (desktop.events()[i].find("came from the internet") != std::string::npos)
                return true;
        }
        return false;
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
    struct Case {
        bool playLoaded;
        bool fromInternet;
        MessageAnswer answer;
        bool countDownGoes;
        bool asks;
        bool plays;
    };
    const Case cases[] = {
        {false, false, MessageAnswer::Yes, true, false, false},  // loaded only
        {true, false, MessageAnswer::Yes, false, false, false},  // count-down cancelled
        {false, true, MessageAnswer::Yes, true, false, false},   // nothing to ask: no play
        {true, true, MessageAnswer::No, true, true, false},
        {true, true, MessageAnswer::Yes, true, true, true},
        {true, true, MessageAnswer::Yes, false, false, false},  // the Yes before holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "playLoaded " << c.playLoaded << ", from internet " << c.fromInternet
                     << ", count-down goes " << c.countDownGoes);
        const std::size_t from = desktop.events().size();
        model.clearList();
        downloaded.clear();
        const std::string path = folder.file("a.kyr");
        if (c.fromInternet)
            downloaded.insert(path);
        desktop.questionAnswer = c.answer;
        countDownGoes = c.countDownGoes;
        starter.start(planStartup(quoted(path), c.playLoaded, true, 3));
        EXPECT_EQ(model.list(), MacroList{"SendText >a"}) << "the file is loaded in every case";
        EXPECT_EQ(asked(from), c.asks);
        EXPECT_EQ(typed(from),
                  c.plays ? std::vector<std::string>{"\"a\""} : std::vector<std::string>{});
        EXPECT_EQ(recent.back(), path);
    }
}

// Files handed over during a play wait for its end and play oldest first;
// those beyond the most that wait are dropped and told once.
TEST_F(FileStartTest, HandOversWaitUntilThePlayUnderWayHasEnded) {
    starter.setSettings({true, false, 0});
    folder.write("long.kyr", "Wait >1\r\nSendText >l\r\n");
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        EXPECT_TRUE(starter.handOver(quoted(folder.file("b.kyr"))));
        for (std::size_t i = 0; i < FileStarter::kMostWaiting + 2; ++i)
            EXPECT_TRUE(starter.handOver(folder.file("a.kyr"))) << "taken, dropped or not";
        EXPECT_TRUE(starter.startHandedOver()) << "still waiting during the play";
        EXPECT_EQ(windowShown, 0);
    };
    model.playMacroFile(folder.file("long.kyr"));
    EXPECT_EQ(typed(), std::vector<std::string>{"\"l\""}) << "the running play went on unchanged";
    EXPECT_FALSE(starter.startHandedOver());
    const std::vector<std::string> played = typed();
    ASSERT_EQ(played.size(), FileStarter::kMostWaiting + 1);
    EXPECT_EQ(played[1], "\"b\"") << "oldest first";
    EXPECT_FALSE(starter.waiting());
    const auto told = std::count_if(
        desktop.events().begin(), desktop.events().end(), [](const std::string& event) {
            return event.starts_with("message \"Too many") &&
                   event.find(" 3 of them were not opened") != std::string::npos;
        });
    EXPECT_EQ(told, 1);
}
// The payload comes from another process: only a hand-over of a sane size
// is taken, and only a request without bytes shows the window.
TEST(HandOverPayload, OnlyWholeCodeUnitsUnderTheTagWithinACommandLinesSizeAreTaken) {
    using namespace std::string_view_literals;
    const std::string_view sent = "a\0.\0k\0y\0r\0"sv;
    std::string longest;
    while (longest.size() < kLongestHandOverBytes)
        longest += "a\0"sv;
    struct Case {
        const char* what;
        std::uint64_t tag;
        std::string_view bytes;
        std::optional<std::string> taken;
        bool show = false;
    };
    const Case cases[] = {
        {"another program's data", kHandOverTag + 1, sent, std::nullopt},
        {"half a code unit", kHandOverTag, sent.substr(0, sent.size() - 1), std::nullopt},
        {"ended by a zero", kHandOverTag, "b\0\0\0c\0"sv, "b"},
        {"UTF-16 beyond ASCII", kHandOverTag, "\xE9\0\x60\x4F\x3D\xD8\x00\xDE"sv,
         "\xC3\xA9\xE4\xBD\xA0\xF0\x9F\x98\x80"},
        {"as long as a command line may be", kHandOverTag, longest,
         std::string(kLongestHandOverBytes / 2, 'a')},
        {"longer than any command line", kHandOverTag, longest + "a\0", std::nullopt},
        {"show the window", kShowWindowTag, {}, std::nullopt, true},
        {"show the window, with bytes", kShowWindowTag, sent, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(handedOverCommandLine(c.tag, c.bytes), c.taken) << c.what;
        EXPECT_EQ(asksToShowWindow(c.tag, c.bytes), c.show) << c.what;
    }
}

// Either source marks a file; a stream that cannot be read or names no zone
// leaves the file in doubt, and a file in doubt is marked.
TEST(WebMark, EitherSourceMarksAndAFileInDoubtIsMarked) {
    using State = ZoneStream::State;
    const std::tuple<State, const char*, LocationZone, bool> cases[] = {
        {State::Read, "[ZoneTransfer]\r\nZoneId=4\r\nReferrerUrl=https://example.test/\r\n", 0,
         true},
        {State::Read, "[zonetransfer]\nzoneid = 03\n", std::nullopt, true},
        {State::Read, "\xEF\xBB\xBF[ZoneTransfer]\r\nZoneId=3", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=1000\r\n", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=1\r\n", std::nullopt, false},  // intranet
        {State::Read, "[ZoneTransfer]\r\nZoneId=2\r\n", 0, false},             // trusted sites
        {State::Read, "[ZoneTransfer]\r\nZoneId=0\r\n", 3, true},              // a share out there
        {State::Absent, "", 4, true},
        {State::Absent, "", 1, false},
        // In doubt.
        {State::Unreadable, "", 0, true},
        {State::Read, "", std::nullopt, true},
        {State::Read, "[Other]\r\nZoneId=1\r\n", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=99999999999\r\n", std::nullopt, true},
    };
    for (const auto& [state, text, location, marked] : cases)
        EXPECT_EQ(webMarked({state, text}, location), marked) << text << location.value_or(99);
    // Some programs write the stream in UTF-16 with its byte-order mark.
    using namespace std::string_literals;
    EXPECT_EQ(
        zoneOfStream(
            "\xFF\xFE[\0Z\0o\0n\0e\0T\0r\0a\0n\0s\0f\0e\0r\0]\0\n\0Z\0o\0n\0e\0I\0d\0=\0\x31\0"s),
        1u);
}

}  // namespace
}  // namespace keyreel
