#pragma once

class QLabel;
class QString;
class QVBoxLayout;
class QWidget;

namespace app {

/// The header every dialog of the configurator shows: the software code in large grey
/// letters (`L_SW_Code`) and the dialog's description in bold below it (`L_SW_Desc`).
struct Dialog_Header {
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
};

/// Adds the header to @p layout of @p owner and returns its two labels.
Dialog_Header Add_Dialog_Header(QWidget* owner, QVBoxLayout* layout, const QString& sw_code);

} // namespace app
