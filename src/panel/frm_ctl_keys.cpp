// The panel's keyboard: each key is a shortcut of one of the panel's commands, so it
// does exactly what the command's button does and nothing while it could not be
// pressed.
#include "panel/command_set.h"
#include "panel/frm_ctl.h"
#include "panel/push_check_box.h"
#include "core/trip_session.h"
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
    const std::pair<KeyAction, const char *> commands[] = {
        {KeyAction::Forward, "forward"},          {KeyAction::Back, "back"},
        {KeyAction::Blank, "blank"},              {KeyAction::LateNight, "lateNight"},
        {KeyAction::TapeNext, "announceNext"},    {KeyAction::TapeBack, "announceBack"},
        {KeyAction::TapeStop, "announceStop"},    {KeyAction::KeypadRoute, "keypad.route"},
        {KeyAction::KeypadSection, "keypad.section"},
    };
    for (const auto &[action, id] : commands) {
        const QString command = QLatin1String(id);
        router.setHandler(action, [this, command](const KeyHit &) { commands_->trigger(command); });
        showKeys(commands_->button(command), action);
    }
    router.setHandler(KeyAction::KeypadDigit,
                      [this](const KeyHit &hit) { commands_->trigger(QStringLiteral("keypad.%1").arg(hit.digit)); });
    for (int d = 0; d <= 9; ++d) keys_[d]->setToolTip(QStringLiteral("キー: %1").arg(d));
    // Enter resets on whichever entry panel is in front.
    router.setHandler(KeyAction::Reset, [this](const KeyHit &) {
        if (!commands_->trigger(QStringLiteral("reset.keypad"))) commands_->trigger(QStringLiteral("reset.lists"));
    });
    for (QPushButton *reset : command1_) showKeys(reset, KeyAction::Reset);
    router.setHandler(KeyAction::Backlight, [this](const KeyHit &) {
        commands_->trigger(QStringLiteral("backlight.%1").arg((session_.backlight() + 1) % 3));
    });
    for (QRadioButton *light : option4_) showKeys(light, KeyAction::Backlight);
}
