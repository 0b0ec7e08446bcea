#pragma once
// The entries of a list box and their rows: adding with fresh ids and unique names,
// the single selection, deletion, and moving the rows for the scroll position.

#include <cstdint>
#include <string>
#include <vector>

#include "skin/logic/BoxItem.h"
#include "skin/logic/RowNaming.h"

class ListRows {
  public:
    static constexpr int32_t kRowHeight = 18;

    // The client area is (0, 0)-(right, bottom).
    void SetClientSize(int32_t right, int32_t bottom);
    int32_t ClientBottom() const { return clientBottom; }
    // Rows that fit in the client area; the scroll bar's minimum.
    int32_t VisibleRows() const { return clientBottom / kRowHeight; }
    const std::vector<CBoxItem>& Entries() const { return entries; }

    // Where the next entry will stand; moves the rows up when it would not fit below them.
    PixelRect NewRowRectangle();
    // A new selected entry with a fresh id and its name made unique by `naming`; returns the id.
    int32_t AddNamed(const std::u16string& name, const RowNaming& naming);
    // A new selected entry with the given id, the name taken as it is.
    void AddWithId(const std::u16string& name, int32_t id);
    // Puts entry i in its unscrolled row. True when the rows run below the client area: then the
    // scroll bar is shown with the entry count as its maximum.
    bool LayOut();
    // Moves the rows for scroll position p; positions outside [visible rows, entries) are ignored.
    void ApplyScroll(int32_t position);
    // Index of the first selected entry, -1 for none.
    int32_t SelectedIndex() const;
    // Removes entry `at` and selects the one that moved into its place, or else the one
    // before. Returns the id now selected, 0 for none (also for an index outside the list).
    int32_t RemoveAt(int32_t at);
    // Removes the first entry with that id, as RemoveAt does.
    int32_t RemoveEntry(int32_t id);
    // How many entries before entry `index` carry its id. Ids read from files may repeat; the
    // n-th entry with an id stands for the n-th macro with it.
    int32_t OccurrenceOf(int32_t index) const;
    // Index of the first entry whose row contains the point, -1 for none.
    int32_t EntryAt(int32_t x, int32_t y) const;
    void SelectOnly(int32_t index);
    const CBoxItem* SelectedItem() const;

  private:
    void Append(CBoxItem item);

    int32_t clientRight = 0;
    int32_t clientBottom = 0;
    std::vector<CBoxItem> entries;
};
