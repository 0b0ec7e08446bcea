// The layout tables of the main window and the rename dialog: every control on its sheet,
// none covering another, and the menu ids mapped to the right profiles.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/logic/MainWindowLayout.h"
#include "pages/logic/RenameDlgLayout.h"
#include "skin/logic/SkinSheets.h"

namespace {

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void ExpectTidy(const std::vector<ControlPlace>& places, int width, int height) {
    std::set<int> ids;
    for (size_t i = 0; i < places.size(); ++i) {
        const PixelRect& r = places[i].rect;
        EXPECT_TRUE(ids.insert(places[i].id).second) << "id " << places[i].id << " twice";
        EXPECT_GE(r.left, 0) << places[i].id;
        EXPECT_GE(r.top, 0) << places[i].id;
        EXPECT_LE(r.right, width) << places[i].id;
        EXPECT_LE(r.bottom, height) << places[i].id;
        for (size_t j = i + 1; j < places.size(); ++j) {
            EXPECT_FALSE(Overlap(r, places[j].rect)) << places[i].id << " covers " << places[j].id;
        }
    }
}

TEST(Layout, MainWindowAndRenameDialogFitTheirSheets) {
    std::vector<ControlPlace> main(kPageButtonPlaces.begin(), kPageButtonPlaces.end());
    main.insert(main.end(), kProfileButtonPlaces.begin(), kProfileButtonPlaces.end());
    main.insert(main.end(), kProfileMenuPlaces.begin(), kProfileMenuPlaces.end());
    main.insert(main.end(), {kResetPlace, kOkPlace, kApplyPlace, kCancelPlace, kMinimisePlace,
                             kClosePlace, kVersionPlace});
    ExpectTidy(main, kMainWidth, kMainHeight);
    for (const ControlPlace& place : main) {
        EXPECT_FALSE(Overlap(place.rect, kSupportPageRect)) << place.id << " under the pages";
    }
    EXPECT_LE(kSupportPageRect.right, kMainWidth);
    EXPECT_LE(kSupportPageRect.bottom, kMainHeight);

    ExpectTidy(std::vector<ControlPlace>(kRenameLayout.begin(), kRenameLayout.end()), kRenameWidth,
               kRenameHeight);
}

TEST(Layout, MenuButtonsRunBackwardsFromProfileOne) {
    EXPECT_EQ(ProfileSlotOfMenuId(1020), 0);
    EXPECT_EQ(ProfileSlotOfMenuId(1019), 1);
    EXPECT_EQ(ProfileSlotOfMenuId(1016), 4);
    EXPECT_EQ(ProfileSlotOfMenuId(1007), -1);
    for (int slot = 0; slot < kProfileCount; ++slot) {
        // Each menu button sits just left of its profile's button.
        EXPECT_EQ(kProfileMenuPlaces[static_cast<size_t>(slot)].rect.right,
                  kProfileButtonPlaces[static_cast<size_t>(slot)].rect.left);
    }
}

}  // namespace
