#include "skin/logic/ListRows.h"

void ListRows::SetClientSize(int32_t right, int32_t bottom) {
    clientRight = right;
    clientBottom = bottom;
}

PixelRect ListRows::NewRowRectangle() {
    int32_t y = 0;
    if (!entries.empty()) {
        const int32_t lastBottom = entries.back().rect.bottom;
        const int32_t overflow = lastBottom - clientBottom + kRowHeight;
        if (overflow > 0) {
            for (CBoxItem& entry : entries) {
                entry.rect.Offset(0, -(overflow + 2));
            }
            y = clientBottom - 20;
        } else {
            y = lastBottom;
        }
    }
    return {3, y, clientRight - 2, y + kRowHeight};
}

int32_t ListRows::AddNamed(const std::u16string& name, const RowNaming& naming) {
    for (CBoxItem& entry : entries) {
        entry.selected = 0;
    }
    std::vector<int32_t> ids;
    std::vector<std::u16string> names;
    for (const CBoxItem& entry : entries) {
        ids.push_back(entry.id);
        names.push_back(entry.name);
    }
    CBoxItem item;
    item.rect = NewRowRectangle();
    item.id = naming.FreshId(ids);
    item.name = naming.UniqueName(name, names);
    Append(std::move(item));
    return entries.back().id;
}

void ListRows::AddWithId(const std::u16string& name, int32_t id) {
    for (CBoxItem& entry : entries) {
        entry.selected = 0;
    }
    CBoxItem item;
    item.rect = NewRowRectangle();
    item.id = id;
    item.name = name;
    Append(std::move(item));
}

void ListRows::Append(CBoxItem item) {
    item.selected = 1;
    entries.push_back(std::move(item));
}

bool ListRows::LayOut() {
    for (size_t i = 0; i < entries.size(); ++i) {
        const int32_t top = 5 + kRowHeight * static_cast<int32_t>(i);
        entries[i].rect = {4, top, clientRight - 2, top + kRowHeight};
    }
    return !entries.empty() && entries.back().rect.bottom > clientBottom;
}

void ListRows::ApplyScroll(int32_t position) {
    if (position < VisibleRows() || position >= static_cast<int32_t>(entries.size())) {
        return;
    }
    int32_t shift = clientBottom - entries[position].rect.bottom;
    // The first scrolled position leaves a margin below the last row.
    if (position == VisibleRows()) {
        shift += 8;
    }
    for (CBoxItem& entry : entries) {
        entry.rect.Offset(0, shift);
    }
}

int32_t ListRows::SelectedIndex() const {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].selected != 0) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int32_t ListRows::RemoveEntry(int32_t id) {
    size_t index = 0;
    while (index < entries.size() && entries[index].id != id) {
        ++index;
    }
    return RemoveAt(static_cast<int32_t>(index));
}

int32_t ListRows::OccurrenceOf(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) {
        return 0;
    }
    const int32_t id = entries[static_cast<size_t>(index)].id;
    int32_t before = 0;
    for (int32_t i = 0; i < index; ++i) {
        before += entries[static_cast<size_t>(i)].id == id ? 1 : 0;
    }
    return before;
}

int32_t ListRows::RemoveAt(int32_t at) {
    if (at < 0 || static_cast<size_t>(at) >= entries.size()) {
        return 0;
    }
    const size_t index = static_cast<size_t>(at);
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    if (entries.empty()) {
        return 0;
    }
    const size_t next = index < entries.size() ? index : index - 1;
    SelectOnly(static_cast<int32_t>(next));
    return entries[next].id;
}

int32_t ListRows::EntryAt(int32_t x, int32_t y) const {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].rect.Contains(x, y)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

void ListRows::SelectOnly(int32_t index) {
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].selected = static_cast<int32_t>(i) == index ? 1 : 0;
    }
}

const CBoxItem* ListRows::SelectedItem() const {
    for (const CBoxItem& entry : entries) {
        if (entry.selected != 0) {
            return &entry;
        }
    }
    return nullptr;
}
