#include "controls/keymap.h"

#include <QMetaObject>
#include <QShortcut>
#include <QWidget>

void actAsShortcut(QWidget* control)
{
    if (!control || !control->isVisible() || !control->isEnabled())
        return;
    // Buttons and check boxes are clicked, the radio picture tells its
    // click; the rest (fields, lists) take the keyboard.
    if (control->metaObject()->indexOfMethod("click()") >= 0)
        QMetaObject::invokeMethod(control, "click");
    else if (control->metaObject()->indexOfSignal("clicked()") >= 0)
        QMetaObject::invokeMethod(control, "clicked");
    else
        control->setFocus(Qt::ShortcutFocusReason);
}

void bindKeys(QWidget* window, const QList<KeyBinding>& bindings)
{
    for (const KeyBinding& binding : bindings) {
        QWidget* control = window->findChild<QWidget*>(binding.control);
        if (!control)
            continue;
        auto* shortcut = new QShortcut(binding.sequence(), control);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, control,
                         [control] { actAsShortcut(control); });
    }
}

bool reservedKey(const QKeySequence& keys)
{
    for (int i = 0; i < keys.count(); ++i) {
        const QKeyCombination key = keys[i];
        // The File menu's access key, and Orca's: its modifiers and the
        // number pad.
        if (key == QKeyCombination(Qt::ALT, Qt::Key_F) || key.key() == Qt::Key_Insert ||
            key.key() == Qt::Key_CapsLock || (key.keyboardModifiers() & Qt::KeypadModifier))
            return true;
    }
    return false;
}

QString keysText(const KeyBinding& binding)
{
    return binding.sequence().toString(QKeySequence::NativeText);
}
