// The entry list model: adding, the description rule, removal, cell updates
// and what an observer is told.

#include "core/schedule/schedule_list.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

using Strings = std::vector<std::string>;

// Adds a daily entry as the entry window does; gives the description it got.
std::string add(ScheduleList& list, const std::string& descr) {
    const std::size_t row =
        list.addEntryRow(descr, "9:05:07", "3/5/2000", "D", "C:\\M\\A.KYR", "1", "False", "");
    return list.entry(row).descr;
}

TEST(ScheduleList, ARepeatedDescriptionGetsTheNewRowsNumber) {
    ScheduleList list;
    EXPECT_EQ(add(list, "Backup"), "Backup");
    EXPECT_EQ(add(list, "Report"), "Report");
    EXPECT_EQ(add(list, "Backup"), "Backup(3)");
    EXPECT_EQ(add(list, "Backup(3)"), "Backup(3)(4)");
    EXPECT_EQ(add(list, "Backup(6)"), "Backup(6)");
    EXPECT_EQ(add(list, "Backup"), "Backup(7)") << "a numbered description never repeats";
    list.addLoadedRow({"Backup", "9:05:07", "3/5/2000", "1", "D", "x", "False", ""});
    EXPECT_EQ(list.entry(6).descr, "Backup") << "loaded rows keep their descriptions as read";

    // The rule looks at the descriptions rows were added with, of rows still there.
    ASSERT_TRUE(list.setCell(1, ScheduleColumn::Description, "Renamed"));
    EXPECT_EQ(add(list, "Report"), "Report(8)");
    EXPECT_EQ(add(list, "Renamed"), "Renamed");
    ASSERT_TRUE(list.removeRow(1));
    EXPECT_EQ(add(list, "Report"), "Report");
}

TEST(ScheduleList, EntryRowTextsLandInTheirColumnsAndCellUpdatesReachThePass) {
    ScheduleList list;
    list.addEntryRow("A", "9:05:07", "3/5/2000", "W", "C:\\B.KYR", "1", "False", "two\r\nlines");
    EXPECT_EQ(list.entry(0), (ScheduleEntry{"A", "9:05:07", "3/5/2000", "1", "W", "C:\\B.KYR",
                                            "False", "two\r\nlines"}));

    list.setCell(0, ScheduleColumn::RunTime, "14:30:00");
    list.setCell(0, ScheduleColumn::Freq, "");
    list.setCell(0, ScheduleColumn::Running, "True");
    list.setCell(0, ScheduleColumn::RunDate, "2/30/2000");
    EXPECT_EQ(list.times(0).runTime, 14 * 3600 + 30 * 60);
    EXPECT_EQ(list.times(0).frequency, Frequency::Never);
    EXPECT_EQ(list.times(0).running, true);
    EXPECT_FALSE(list.times(0).runDate);
    EXPECT_EQ(list.times(0).runDay, 1) << "only the one cell changes";
    EXPECT_STREQ(scheduleColumns()[6].caption, "") << "the running flag is not shown";
}

// Describes each change with what the list holds when it is told.
class RecordingObserver : public ScheduleListObserver {
  public:
    explicit RecordingObserver(const ScheduleList& list) : list_(list) {}
    Strings seen;

    void rowAdded(std::size_t row) override {
        seen.push_back("added " + std::to_string(row) + " " + list_.entry(row).descr);
    }
    void rowRemoved(std::size_t row) override {
        seen.push_back("removed " + std::to_string(row) + ", " + std::to_string(list_.rowCount()) +
                       " left");
    }
    void cellChanged(std::size_t row, ScheduleColumn column) override {
        seen.push_back("cell " + std::to_string(row) + " " + fieldOf(list_.entry(row), column));
    }
    void listCleared() override { seen.push_back("cleared"); }

  private:
    const ScheduleList& list_;
};

TEST(ScheduleList, RowsKeepTheirIdentityAndTheObserverSeesEachChangeAfterIt) {
    ScheduleList list;
    RecordingObserver observer(list);
    list.setObserver(&observer);
    add(list, "A");
    add(list, "A");
    add(list, "C");
    const ScheduleList::RowId a = list.rowId(0), c = list.rowId(2);
    list.setCell(1, ScheduleColumn::Running, "True");
    ASSERT_TRUE(list.removeRow(0));
    EXPECT_EQ(list.findRow(c), 1u);
    EXPECT_FALSE(list.findRow(a));
    EXPECT_FALSE(list.removeRow(2));
    EXPECT_FALSE(list.setCell(2, ScheduleColumn::Notes, "x"));
    EXPECT_THROW(list.entry(2), std::out_of_range);
    list.clear();
    list.setObserver(nullptr);
    add(list, "B");
    EXPECT_EQ(observer.seen, (Strings{"added 0 A", "added 1 A(2)", "added 2 C", "cell 1 True",
                                      "removed 0, 2 left", "cleared"}));
}

}  // namespace
}  // namespace keyreel
