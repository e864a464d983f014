#pragma once

#include <QWidget>

class QToolButton;
class QVBoxLayout;

namespace comm {

/// @brief A collapsible panel: a title bar that folds and unfolds the content below it.
class Category_Panel : public QWidget {
    Q_OBJECT

public:
    Category_Panel(const QString& title, QWidget* parent);

    /// Layout of the panel's content, to which the rows are added.
    QVBoxLayout* Content_Layout() const { return content_layout_; }
    QWidget* Content() const { return content_; }
    QString Title() const;

    bool Collapsed() const;
    void Set_Collapsed(bool collapsed);

private:
    QToolButton* title_bar_ = nullptr;
    QWidget* content_ = nullptr;
    QVBoxLayout* content_layout_ = nullptr;
};

} // namespace comm
