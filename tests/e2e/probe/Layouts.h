#pragma once
// The configurator's layout tables as the end-to-end tests read them: the 96-DPI size of a
// window and the rectangle of each control it places, so that a test at another display scale
// knows where every control belongs without a second copy of the tables.

// layout main | PAGE_ID | popup MODE | rename: prints "size W H", then "ID X Y W H" a line (for
// main, the pages too, by their template ids). Returns 0, or 2 for an unknown name.
int PrintLayout(const wchar_t* name, const wchar_t* mode);
