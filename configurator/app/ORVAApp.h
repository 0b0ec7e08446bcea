#pragma once
// CORVAApp: the configurator's application object. Runs once per user session: a second start
// asks the running program to show its window and ends. The main window runs modally; the
// program ends with it.

#include "skin/ScopedWin.h"
#include "skin/ZelApp.h"

class CORVAApp : public CZelApp {
  protected:
    bool InitInstance() noexcept override;
    int ExitInstance() noexcept override;

  private:
    ScopedHandle instanceMutex_;
};
