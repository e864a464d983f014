#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

/// Answers the next modal dialog once it is up: @p action gets the modal widget.
template <typename Action> void When_Modal_Shows(Action action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(modal);
    });
}
