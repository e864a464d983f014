#pragma once

#include "app/session_state.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace app {

/// @brief The about box: the program's name, description, software code, version and manual
/// code, and the maker's web address. Its texts are fixed, in every language.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFAbout(const Session_State& state, QWidget* parent = nullptr);

    /// Fills the labels that follow the session; run before every showing.
    void FormShow();
    int Execute();
    /// Shared by the web address and the logo: the maker's home page in the default browser.
    void Label4Click();

    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Btn_OK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Session_State& state_;
};

/// Our logo: the program's initial on a blue tile.
QPixmap Quillon_Logo(int size);

} // namespace app
