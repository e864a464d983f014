#pragma once

class QLabel;
class QPushButton;
class QSize;
class QString;
class QVBoxLayout;
class QWidget;

namespace project {

/// The header every dialog of the configurator shows: the software code in large grey
/// letters (`L_SW_Code`) and the dialog's description in bold below it (`L_SW_Desc`).
struct Dialog_Header {
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
};

/// Adds the header to @p layout of @p owner and returns its two labels.
Dialog_Header Add_Dialog_Header(QWidget* owner, QVBoxLayout* layout, const QString& sw_code);

/// OK and Cancel at the bottom right of a dialog (`Btn_OK`, `Btn_Cancel`).
struct Dialog_Buttons {
    QPushButton* Btn_OK = nullptr;
    QPushButton* Btn_Cancel = nullptr;
};

/// Adds the OK / Cancel row to @p layout. Neither button is a default button: Enter in a box
/// or a grid must never confirm the whole dialog behind the user's back.
Dialog_Buttons Add_Dialog_Buttons(QWidget* owner, QVBoxLayout* layout);

/// Gives @p widget the hint @p text; a text that is empty or only blanks gives no hint at all,
/// never an empty yellow box.
void Set_Hint(QWidget* widget, const QString& text);

/// @brief Sizes @p dialog to @p preferred, shrunk to the screen's available area so that its
/// buttons stay reachable, never below @p minimum.
void Fit_To_Screen(QWidget* dialog, const QSize& preferred, const QSize& minimum);

} // namespace project
