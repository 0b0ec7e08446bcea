#pragma once
// A page that shows part of a profile and writes the user's edits back into it. The main window
// holds its pages in one table and loads and collects those that have this face alike.

#include "profiles/Profile.h"

class ProfilePage {
  public:
    virtual ~ProfilePage() = default;
    // Shows the profile (which is the main window's current one).
    virtual void LoadProfile(Profile& profile) noexcept = 0;
    // Writes what the page shows into the profile.
    virtual void SaveProfile(Profile& profile) noexcept = 0;
};
