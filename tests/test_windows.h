#pragma once
// The program's windows for tests that work them inside the test process: made once
// by the program's own root, as the program makes them.
#include "app/application.h"
#include "panel/frm_ctl.h"
#include "app/settings_file.h"
#include "board/form1.h"
#include "options/frm_option.h"
#include "core/settings.h"

inline Application &testApp() {
    static Application *app = new Application();
    return *app;
}
inline Form1 *testBoard() { return &testApp().board(); }
inline FrmOption *testOptions() { return &testApp().options(); }
inline FrmCtl *testPanel() { return &testApp().panel(); }
inline Settings &testSettings() { return testApp().settings(); }
