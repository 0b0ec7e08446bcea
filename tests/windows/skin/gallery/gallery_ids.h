#pragma once
// Resource ids of the control gallery (100 .. 199).
#define IDD_GALLERY_WINDOW 100
