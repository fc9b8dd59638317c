#pragma once
// The program's three windows, one instance each for the whole run. Like the forms
// of the program this simulates, a window is created the first time it is asked for,
// and then wired to the others: the windows below app/ never call these.
class Form1;
class FrmCtl;
class FrmOption;

Form1 *form1();
FrmCtl *frmCtl();
FrmOption *frmOption();
