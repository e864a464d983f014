#include "lang/language_events.h"

namespace lang {

Language_Events& Language_Changes() {
    static Language_Events events;
    return events;
}

} // namespace lang
