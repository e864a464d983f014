#include "app/main_window.h"
#include "app/message_box_prompt.h"
#include "app/settings.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // No application display name: the system would add it to every window title, and each
    // window's title is exactly its own caption.

    app::Session_State state;
    const QString settings_warning =
        app::Start_Session(state, QCoreApplication::applicationDirPath());

    app::Message_Box_Prompt prompt;
    app::TFQuillonFirmWare window(state, prompt);
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    QTimer::singleShot(0, &window, [&] { window.Show_Startup_Message(settings_warning); });
    return application.exec();
}
