// The panel's keyboard: each key stands for one of the panel's buttons and presses
// it, so it does exactly what the button does and nothing while the button could
// not be pressed.
#include "panel/frm_ctl.h"
#include "panel/push_check_box.h"
#include "view/key_router.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using view::KeyAction;
using view::KeyHit;
using view::KeyRouter;

namespace {

void showKeys(QWidget *button, KeyAction action) {
    // A tool tip given by the panel's design stays as it is.
    if (button->toolTip().isEmpty()) button->setToolTip(QStringLiteral("キー: %1").arg(view::keysFor(action)));
}

}  // namespace

void FrmCtl::bindKeys(KeyRouter &router) {
    const std::pair<KeyAction, QAbstractButton *> buttons[] = {
        {KeyAction::Forward, command2_[1]},   {KeyAction::Back, command2_[0]},
        {KeyAction::Blank, check1_},          {KeyAction::LateNight, check2_},
        {KeyAction::TapeNext, cmdTapeNext_},  {KeyAction::TapeBack, cmdTapeBack_},
        {KeyAction::TapeStop, cmdTapeStop_},  {KeyAction::KeypadRoute, keys_[kKeyRoute]},
        {KeyAction::KeypadSection, keys_[kKeySection]},
    };
    for (const auto &[action, button] : buttons) {
        router.setHandler(action, [button](const KeyHit &) { KeyRouter::pressButton(button); });
        showKeys(button, action);
    }
    router.setHandler(KeyAction::KeypadDigit, [this](const KeyHit &hit) { KeyRouter::pressButton(keys_[hit.digit]); });
    for (int d = 0; d <= 9; ++d) keys_[d]->setToolTip(QStringLiteral("キー: %1").arg(d));
    // Enter resets on whichever entry panel is in front.
    router.setHandler(KeyAction::Reset, [this](const KeyHit &) {
        if (!KeyRouter::pressButton(command1_[1])) KeyRouter::pressButton(command1_[0]);
    });
    for (QPushButton *reset : command1_) showKeys(reset, KeyAction::Reset);
    router.setHandler(KeyAction::Backlight, [this](const KeyHit &) {
        KeyRouter::pressButton(option4_[(backlightIndex() + 1) % 3]);
    });
    for (QRadioButton *light : option4_) showKeys(light, KeyAction::Backlight);
}
