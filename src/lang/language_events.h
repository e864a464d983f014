#pragma once

#include <QObject>

namespace lang {

/// @brief Tells every window that the string table has new texts. Each window connects its
/// Set_Lang to Changed once, when it is created, so windows not shown yet follow as well.
class Language_Events final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    /// Called after the string table was reloaded.
    void Notify() { Q_EMIT Changed(); }

Q_SIGNALS:
    void Changed();
};

/// The one notifier of the program.
Language_Events& Language_Changes();

} // namespace lang
