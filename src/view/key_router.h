#pragma once
// Hands the keys of the program's windows to the actions of key_map.h. It watches
// the key presses of whole windows (whatever control has the focus there), so a
// focused button's own Space or a list's own digits never get the key first.
#include "view/key_map.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QWidget;

namespace view {

class KeyRouter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const KeyHit &)>;

    explicit KeyRouter(QObject *parent = nullptr);
    ~KeyRouter() override;

    // Keys pressed anywhere in `window` are routed; `panel` windows also take the
    // keypad keys.
    void addWindow(QWidget *window, bool panel);
    void setHandler(KeyAction action, Handler handler);

    // What a key does when it stands for a button: exactly a click, and only where a
    // person could click it (enabled, shown within its window). True when clicked.
    static bool pressButton(QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watched {
        QPointer<QWidget> window;
        bool panel = false;
    };
    const Watched *windowOf(QObject *receiver) const;

    std::vector<Watched> windows_;
    std::map<KeyAction, Handler> handlers_;
};

}  // namespace view
