#include "image/update_wait_dialog.h"

#include "image/update_device.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace image {

TFUpdate_Wait::TFUpdate_Wait(const lang::String_Table& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), texts_(texts) {
    setObjectName(QStringLiteral("FUpdate_Wait"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    L_Elapsed = new QLabel(this);
    L_Elapsed->setObjectName(QStringLiteral("L_Elapsed"));
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0); // moving bar: the updater tells nothing about its progress
    busy->setTextVisible(false);
    layout->addWidget(L_Elapsed);
    layout->addWidget(busy);
    setMinimumWidth(380);
    tick_.setInterval(1000);
    connect(&tick_, &QTimer::timeout, this, &TFUpdate_Wait::Show_Elapsed);
}

void TFUpdate_Wait::Start() {
    setWindowTitle(texts_.Text(1502));
    clock_.start();
    Show_Elapsed();
    tick_.start();
    open();
}

void TFUpdate_Wait::Stop() {
    tick_.stop();
    stopping_ = true;
    done(QDialog::Accepted);
    stopping_ = false;
}

void TFUpdate_Wait::closeEvent(QCloseEvent* event) {
    if (stopping_)
        event->accept();
    else
        event->ignore();
}

void TFUpdate_Wait::Show_Elapsed() {
    L_Elapsed->setText(texts_.Text(update_text::Waiting_For_Updater) +
                       QString::number(clock_.elapsed() / 1000) + QStringLiteral(" s"));
}

} // namespace image
