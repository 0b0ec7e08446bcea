#include <gtest/gtest.h>

#include "pages/logic/MacroRowNaming.h"
#include "skin/logic/ListRows.h"
#include "skin/logic/ScrollMath.h"

namespace {

// The list as the macro page sets it up, wired to a scroll bar model the way the list box wires
// its scroll bar control: the scroll bar's clamped position comes back as the rows' position.
class MacroList {
  public:
    MacroList() {
        rows.SetClientSize(204, 220);
        scroll.LayOut(23, 220, 16, 16, 56);
        scroll.minimum = rows.VisibleRows();
        scroll.maximum = rows.VisibleRows() + 1;
        scroll.SetPos(rows.VisibleRows());
    }

    int32_t Add(const std::u16string& name) {
        const int32_t id = rows.AddNamed(name, naming);
        LayOut();
        return id;
    }
    MacroRowNaming naming;

    void LayOut() {
        scrollShown = rows.LayOut();
        if (scrollShown) {
            scroll.maximum = static_cast<int32_t>(rows.Entries().size());
            rows.ApplyScroll(scroll.SetPos(scroll.maximum - 1));
        }
    }

    ListRows rows;
    ScrollModel scroll;
    bool scrollShown = false;
};

TEST(ListAdding, FirstEntryGetsIdSixteenTheTopRowAndTheSelection) {
    MacroList list;
    EXPECT_EQ(list.rows.VisibleRows(), 12);
    EXPECT_EQ(list.rows.NewRowRectangle(), (PixelRect{3, 0, 202, 18}));
    EXPECT_EQ(list.Add(u"Jump"), 16);
    ASSERT_EQ(list.rows.Entries().size(), 1u);
    const CBoxItem& entry = list.rows.Entries()[0];
    EXPECT_EQ(entry.rect, (PixelRect{4, 5, 202, 23}));
    EXPECT_EQ(entry.selected, 1);
    EXPECT_EQ(entry.colour, 0x00BEBEBEu);
    EXPECT_EQ(entry.selectedColour, 0x0035D3B3u);
    EXPECT_FALSE(list.scrollShown);
}

TEST(ListAdding, NamesAreMadeUniqueButTakenAsTheyAreWithAnId) {
    MacroList list;
    list.Add(u"Jump");
    list.Add(u"Jump");
    list.Add(u"jump");
    EXPECT_EQ(list.rows.Entries()[1].name, u"Jump(1)");
    EXPECT_EQ(list.rows.Entries()[2].name, u"jump");
    EXPECT_EQ(list.rows.Entries()[2].id, 18);
    // Only the newest entry is selected.
    EXPECT_EQ(list.rows.SelectedIndex(), 2);
    EXPECT_EQ(list.rows.Entries()[0].selected, 0);

    list.rows.AddWithId(u"Jump", 3);
    list.LayOut();
    EXPECT_EQ(list.rows.Entries()[3].name, u"Jump");
    EXPECT_EQ(list.rows.SelectedItem()->id, 3);
    // Fresh ids stay above every id in the list.
    list.rows.AddWithId(u"far", 40);
    EXPECT_EQ(list.Add(u"next"), 41);
}

TEST(ListScrolling, ThirteenthEntryShowsTheBarAndLeavesAMarginBelowTheLastRow) {
    MacroList list;
    for (int i = 0; i < 11; ++i) {
        list.Add(u"m");
    }
    EXPECT_FALSE(list.scrollShown);
    // The twelfth row already reaches one pixel below the client area: the bar shows, its
    // position stays at the minimum and nothing moves.
    list.Add(u"m");
    EXPECT_TRUE(list.scrollShown);
    EXPECT_EQ(list.rows.Entries()[11].rect.bottom, 221);
    // The next row would not fit: the rows move up before it is added.
    EXPECT_EQ(list.rows.NewRowRectangle(), (PixelRect{3, 200, 202, 218}));
    EXPECT_EQ(list.rows.Entries()[0].rect.top, 5 - 21);

    list.Add(u"m");
    EXPECT_EQ(list.scroll.maximum, 13);
    EXPECT_EQ(list.scroll.position, 12);
    EXPECT_EQ(list.rows.Entries()[0].rect.top, 5 - 11);
    EXPECT_EQ(list.rows.Entries()[12].rect.bottom, 220 + 8);

    list.Add(u"m");
    EXPECT_EQ(list.scroll.maximum, 14);
    EXPECT_EQ(list.scroll.position, 13);
    EXPECT_EQ(list.rows.Entries()[13].rect.bottom, 220);
    EXPECT_EQ(list.rows.Entries()[0].rect.top, 5 - 37);
}

TEST(ListScrolling, PositionsOutsideTheScrolledRangeChangeNothing) {
    MacroList list;
    for (int i = 0; i < 14; ++i) {
        list.Add(u"m");
    }
    const PixelRect before = list.rows.Entries()[0].rect;
    list.rows.ApplyScroll(11);
    list.rows.ApplyScroll(14);
    EXPECT_EQ(list.rows.Entries()[0].rect, before);
    // Back to the first scrolled position and again: the shift does not accumulate.
    list.rows.ApplyScroll(12);
    list.rows.ApplyScroll(12);
    EXPECT_EQ(list.rows.Entries()[12].rect.bottom, 228);
}

TEST(ListDeleting, SelectionMovesToTheNeighbour) {
    MacroList list;
    const int32_t a = list.Add(u"a");
    const int32_t b = list.Add(u"b");
    const int32_t c = list.Add(u"c");
    // The middle entry: the one that moved up takes the selection.
    list.rows.SelectOnly(1);
    EXPECT_EQ(list.rows.RemoveEntry(b), c);
    EXPECT_EQ(list.rows.SelectedIndex(), 1);
    // The last one: the new last one.
    EXPECT_EQ(list.rows.RemoveEntry(c), a);
    // The only one: nothing.
    EXPECT_EQ(list.rows.RemoveEntry(a), 0);
    EXPECT_EQ(list.rows.SelectedIndex(), -1);
    EXPECT_EQ(list.rows.SelectedItem(), nullptr);
    EXPECT_EQ(list.rows.RemoveEntry(a), 0);
}

TEST(ListDeleting, EntriesWithOneIdAreToldApartByTheirPlace) {
    // Ids read from files may repeat: the selected row goes, never its namesake.
    MacroList list;
    list.rows.AddWithId(u"first", 16);
    list.rows.AddWithId(u"other", 17);
    list.rows.AddWithId(u"second", 16);
    list.LayOut();
    EXPECT_EQ(list.rows.OccurrenceOf(0), 0);
    EXPECT_EQ(list.rows.OccurrenceOf(1), 0);
    EXPECT_EQ(list.rows.OccurrenceOf(2), 1);
    EXPECT_EQ(list.rows.OccurrenceOf(3), 0);
    ASSERT_EQ(list.rows.SelectedIndex(), 2);
    EXPECT_EQ(list.rows.RemoveAt(list.rows.SelectedIndex()), 17);
    ASSERT_EQ(list.rows.Entries().size(), 2u);
    EXPECT_EQ(list.rows.Entries()[0].name, u"first");
    EXPECT_EQ(list.rows.SelectedIndex(), 1);
    EXPECT_EQ(list.rows.RemoveAt(5), 0);
    EXPECT_EQ(list.rows.Entries().size(), 2u);
}

TEST(ListHitTest, EntriesAreFoundByTheirRow) {
    MacroList list;
    list.Add(u"a");
    list.Add(u"b");
    EXPECT_EQ(list.rows.EntryAt(10, 5), 0);
    EXPECT_EQ(list.rows.EntryAt(10, 23), 1);
    EXPECT_EQ(list.rows.EntryAt(10, 41), -1);
    EXPECT_EQ(list.rows.EntryAt(2, 10), -1);
}

}  // namespace
