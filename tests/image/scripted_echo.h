#pragma once

#include "image/echo_check.h"

#include <QList>
#include <QStringList>
#include <QTimer>

/// @brief An echo that answers from a script and never touches the network. A reply comes
/// back at once; a silent try waits out its time-out, as a real one does.
class Scripted_Echo_Sender final : public image::Echo_Sender {
public:
    QList<image::Echo_Result> script;                    // taken in order
    image::Echo_Result then = image::Echo_Result::Reply; // once the script is used up
    QStringList addresses;                               // every request, in order

    void Send_Echo(const QString& address, int timeout_ms) override {
        addresses << address;
        const image::Echo_Result result = script.isEmpty() ? then : script.takeFirst();
        const int delay = result == image::Echo_Result::No_Reply ? timeout_ms : 1;
        QTimer::singleShot(delay, this, [this, result] { Q_EMIT Echo_Done(result); });
    }
};
