// The entry list model: adding, the description rule, removal, cell updates
// and what an observer is told.

#include "schedule_list.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

std::size_t add(ScheduleList& list, const std::string& descr) {
    return list.addEntryRow(descr, "9:05:07", "3/5/2000", "D", "C:\\M\\A.KYR", "1", "False", "");
}

TEST(ScheduleList, EntryRowTextsLandInTheirColumns) {
    ScheduleList list;
    EXPECT_EQ(list.addEntryRow("Backup", "9:05:07", "3/5/2000", "W", "C:\\B.KYR", "1", "False",
                               "two\r\nlines"),
              0u);
    const ScheduleEntry expected{"Backup", "9:05:07",   "3/5/2000", "1",
                                 "W",      "C:\\B.KYR", "False",    "two\r\nlines"};
    EXPECT_EQ(list.entry(0), expected);
    EXPECT_EQ(fieldOf(list.entry(0), ScheduleColumn::FilePath), "C:\\B.KYR");
    EXPECT_STREQ(scheduleColumns()[2].caption, "Run Date");
    EXPECT_STREQ(scheduleColumns()[6].caption, "");
}

TEST(ScheduleList, ARepeatedDescriptionGetsTheNewRowsNumber) {
    ScheduleList list;
    add(list, "Backup");
    add(list, "Report");
    add(list, "Backup");
    EXPECT_EQ(list.entry(2).descr, "Backup(3)");
    add(list, "Backup(3)");
    EXPECT_EQ(list.entry(3).descr, "Backup(3)(4)");

    // Edits do not count: the rule looks at the descriptions rows were added with.
    ASSERT_TRUE(list.setCell(1, ScheduleColumn::Description, "Renamed"));
    add(list, "Report");
    EXPECT_EQ(list.entry(4).descr, "Report(5)");
    add(list, "Renamed");
    EXPECT_EQ(list.entry(5).descr, "Renamed");

    // A removed row no longer holds its description.
    ASSERT_TRUE(list.removeRow(0));
    add(list, "Backup");
    EXPECT_EQ(list.entry(5).descr, "Backup");
}

TEST(ScheduleList, ANumberedDescriptionNeverRepeatsAnother) {
    ScheduleList list;
    add(list, "Backup");
    add(list, "Backup(3)");
    add(list, "Backup");
    EXPECT_EQ(list.entry(2).descr, "Backup(4)");
}

TEST(ScheduleList, LoadedRowsKeepTheirDescriptionsAsRead) {
    ScheduleList list;
    list.addLoadedRow({"Backup", "9:05:07", "3/5/2000", "1", "D", "x", "False", ""});
    list.addLoadedRow({"Backup", "9:05:07", "3/5/2000", "1", "D", "y", "False", ""});
    EXPECT_EQ(list.entry(1).descr, "Backup");
    add(list, "Backup");
    EXPECT_EQ(list.entry(2).descr, "Backup(3)");
}

TEST(ScheduleList, CellUpdatesRefreshWhatThePassReads) {
    ScheduleList list;
    add(list, "A");
    EXPECT_EQ(list.times(0).runTime, 9 * 3600 + 5 * 60 + 7);
    EXPECT_EQ(list.times(0).frequency, Frequency::Daily);
    EXPECT_EQ(list.times(0).running, false);

    list.setCell(0, ScheduleColumn::RunTime, "14:30:00");
    list.setCell(0, ScheduleColumn::Freq, "");
    list.setCell(0, ScheduleColumn::Running, "True");
    list.setCell(0, ScheduleColumn::RunDate, "2/30/2000");
    EXPECT_EQ(list.times(0).runTime, 14 * 3600 + 30 * 60);
    EXPECT_EQ(list.times(0).frequency, Frequency::Never);
    EXPECT_EQ(list.times(0).running, true);
    EXPECT_FALSE(list.times(0).runDate);
    EXPECT_EQ(list.entry(0).runDay, "1") << "only the one cell changes";
}

TEST(ScheduleList, RowsKeepTheirIdentityWhenRowsAboveGo) {
    ScheduleList list;
    add(list, "A");
    add(list, "B");
    add(list, "C");
    const ScheduleList::RowId c = list.rowId(2);
    const ScheduleList::RowId a = list.rowId(0);
    ASSERT_TRUE(list.removeRow(0));
    EXPECT_EQ(list.findRow(c), 1u);
    EXPECT_FALSE(list.findRow(a));
    EXPECT_FALSE(list.removeRow(2));
    EXPECT_FALSE(list.setCell(2, ScheduleColumn::Notes, "x"));
    EXPECT_THROW(list.entry(2), std::out_of_range);
}

// Describes each change with what the list holds when it is told.
class RecordingObserver : public ScheduleListObserver {
  public:
    explicit RecordingObserver(const ScheduleList& list) : list_(list) {}
    std::vector<std::string> seen;

    void rowAdded(std::size_t row) override {
        seen.push_back("added " + std::to_string(row) + " " + list_.entry(row).descr);
    }
    void rowRemoved(std::size_t row) override {
        seen.push_back("removed " + std::to_string(row) + ", " + std::to_string(list_.rowCount()) +
                       " left");
    }
    void cellChanged(std::size_t row, ScheduleColumn column) override {
        seen.push_back("cell " + std::to_string(row) + "," +
                       std::to_string(static_cast<int>(column)) + " " +
                       fieldOf(list_.entry(row), column));
    }
    void listCleared() override { seen.push_back("cleared"); }

  private:
    const ScheduleList& list_;
};

TEST(ScheduleList, TheObserverSeesEveryChangeAfterItHappened) {
    ScheduleList list;
    RecordingObserver observer(list);
    list.setObserver(&observer);
    add(list, "A");
    add(list, "A");
    list.setCell(1, ScheduleColumn::Running, "True");
    list.removeRow(0);
    list.removeRow(5);
    list.clear();
    list.setObserver(nullptr);
    add(list, "B");
    EXPECT_EQ(observer.seen, (std::vector<std::string>{"added 0 A", "added 1 A(2)", "cell 1,6 True",
                                                       "removed 0, 1 left", "cleared"}));
}

}  // namespace
}  // namespace keyreel
