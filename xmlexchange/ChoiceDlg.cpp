#include "ChoiceDlg.h"

int CChoiceDlg::DoModal() { return vext::ui::Current().DoModal(*this); }
