#include "app/message_box_prompt.h"

#include <QApplication>
#include <QMessageBox>

namespace app {

namespace {
QWidget* Owner(QWidget* parent) {
    return parent ? parent : QApplication::activeWindow();
}
} // namespace

void Message_Box_Prompt::Error(const QString& text) {
    QMessageBox::critical(Owner(parent_), QApplication::applicationDisplayName(), text);
}

void Message_Box_Prompt::Information(const QString& text) {
    QMessageBox::information(Owner(parent_), QApplication::applicationDisplayName(), text);
}

void Message_Box_Prompt::Warning(const QString& text) {
    QMessageBox::warning(Owner(parent_), QApplication::applicationDisplayName(), text);
}

bool Message_Box_Prompt::Ask_Yes_No(const QString& text) {
    return QMessageBox::question(Owner(parent_), QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool Message_Box_Prompt::Ask_Yes_No_Cancel(const QString& text) {
    return QMessageBox::question(Owner(parent_), QApplication::applicationDisplayName(), text,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Yes;
}

} // namespace app
