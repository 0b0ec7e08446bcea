#pragma once
// How screen readers are told of a skinned button: a push button, or, as its label says, a radio
// button of a set, a page tab or a marker without a command. The button classes fill in what
// they know; this turns it into role, state and default action.

#include <string>

#include "skin/AccessSource.h"
#include "skin/logic/AccessLabel.h"
#include "skin/logic/SkinPieces.h"

struct ButtonFacts {
    std::wstring name;
    AccessHint hint = AccessHint::kNone;
    bool down = false;  // latched (a push button, tab or radio) or checked (a box)
    SkinState state = kSkinNormal;
};

void DescribeButton(const ButtonFacts& facts, AccessInfo& info) noexcept;
