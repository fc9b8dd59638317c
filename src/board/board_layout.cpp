// Placeholder: the board layout module replaces this file.
#include "board/board_layout.h"

#include "board/form1.h"
#include "app/windows.h"
#include "controls/m_degit.h"

namespace mdl207_000 {
void InitDegits() {
    for (int i = 1; i <= 32; ++i) {
        form1()->Degit(i)->setDegitStyle(1);
        form1()->Degit(i)->ResetDegit(false);
    }
}
void SetDefaultPanel() {
    form1()->setPicture(form1()->imgRes(0));
    form1()->setImgRes(1, form1()->imgRes(0));
    form1()->setImgRes(2, form1()->imgRes(0));
}
void SeirikenNumSet(int, int) {}
}  // namespace mdl207_000
