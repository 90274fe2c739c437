#include "classlib/Strings.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

TEST(StringList, TextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour\n\nsix");
    ASSERT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Strings(3), "four");
    EXPECT_EQ(list.Strings(4), "");
    list.SetText("last\r\n");
    EXPECT_EQ(list.Count(), 1); // a final break adds no empty line
    EXPECT_EQ(list.Text(), "last\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, NamesAndValuesIgnoreCaseUnlessAsked) {
    TStringList list;
    list.Add("Provider=Jet");
    list.Add("Data Source=Incantesimi.mdb");
    list.Add("no equals sign");
    list.Add("Empty=");
    EXPECT_EQ(list.Names(0), "Provider");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("data source"), "Incantesimi.mdb");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.ValueFromIndex(1), "Incantesimi.mdb");
    list.SetValue("PROVIDER", "SQLite");
    EXPECT_EQ(list.Strings(0), "PROVIDER=SQLite");
    list.SetValue("Mode", "Share");
    EXPECT_EQ(list.Strings(4), "Mode=Share");
    list.SetValue("Data Source", "");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf("NO EQUALS SIGN"), 1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("NO EQUALS SIGN"), -1);
    EXPECT_EQ(list.Values("mode"), "");
    EXPECT_THROW(list.Strings(4), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

TEST(StringList, SortedListsPlaceLinesAndHandleDuplicates) {
    TStringList list;
    TObject* tagged = reinterpret_cast<TObject*>(&list); // only compared, never used
    list.Add("pear");
    list.Add("Apple");
    list.Add("fig");
    list.SetSorted(true);
    EXPECT_EQ(list.Text(), "Apple\r\nfig\r\npear\r\n");
    EXPECT_EQ(list.AddObject("banana", tagged), 1);
    EXPECT_EQ(list.Objects(1), tagged);
    EXPECT_EQ(list.Add("APPLE"), 0); // ignored: the existing index
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(dupError);
    try {
        list.Add("FIG");
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "String list does not allow duplicates");
    }
    list.SetDuplicates(dupAccept);
    list.Add("Fig");
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.IndexOf("FIG"), 2);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
    EXPECT_THROW(list.SetStrings(0, "x"), EListError);
    int at = -1;
    EXPECT_FALSE(list.Find("cherry", at));
    EXPECT_EQ(at, 2);
    list.SetCaseSensitive(true); // re-sorts: upper case first
    EXPECT_EQ(list.Strings(0), "Apple");
    EXPECT_EQ(list.Strings(1), "Fig");
}

TEST(StringList, ChangeEventsFireOncePerUpdateBracket) {
    TStringList list;
    std::vector<std::string> events;
    list.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        events.push_back("changing" + std::to_string(list.Count()));
    };
    list.OnChange = [&](TObject*) { events.push_back("change" + std::to_string(list.Count())); };
    list.Add("a");
    EXPECT_EQ(events, (std::vector<std::string>{"changing0", "change1"}));
    events.clear();
    list.BeginUpdate();
    list.Add("b");
    list.BeginUpdate();
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(events, (std::vector<std::string>{"changing1"}));
    list.EndUpdate();
    EXPECT_EQ(events, (std::vector<std::string>{"changing1", "change1"}));
    events.clear();
    list.SetText("x\ny\nz");
    EXPECT_EQ(events, (std::vector<std::string>{"changing1", "change3"}));
    events.clear();
    list.Clear();
    list.Clear(); // nothing left to change
    EXPECT_EQ(events.size(), 2u);
}

TEST(StringList, AssignCopiesLinesAndObjectsAndRefusesOthers) {
    TStringList source, copy;
    source.AddObject("a", &source);
    source.Add("b");
    copy.Add("old");
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(source));
    EXPECT_EQ(copy.Objects(0), &source);
    copy.Move(0, 1);
    EXPECT_EQ(copy.Text(), "b\r\na\r\n");
    EXPECT_EQ(copy.Objects(1), &source);
    EXPECT_FALSE(copy.Equals(source));
}
