#include "app/about_dialog.h"

#include "app/version_check.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr const char* Manual_Code = "VM20417";

QLabel* Make_Label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

QPixmap Quillon_Logo(int size) {
    QPixmap logo(size, size);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0, QColor(40, 110, 190));
    tile.setColorAt(1, QColor(10, 50, 110));
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    painter.fillPath(rounded, tile);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("Q"));
    return logo;
}

TFAbout::TFAbout(const Session_State& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About..."));

    Image2 = Make_Label(this, "Image2");
    Image2->setPixmap(Quillon_Logo(96));
    Label1 = Make_Label(this, "Label1", QStringLiteral("Software Quillon "));
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    Label1->setFont(title);
    Label2 = Make_Label(this, "Label2");
    Label6 = Make_Label(this, "Label6", QStringLiteral("Software Code : "));
    Label9 = Make_Label(this, "Label9");
    Label3 = Make_Label(this, "Label3", QStringLiteral("Version :"));
    Label10 = Make_Label(this, "Label10");
    Label8 = Make_Label(this, "Label8", QStringLiteral("Document Code :"));
    Label12 = Make_Label(this, "Label12");
    Label4 = Make_Label(this, "Label4", QString::fromLatin1(Maker_Host));
    QPalette link = Label4->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    Label4->setPalette(link);
    QFont underlined = Label4->font();
    underlined.setUnderline(true);
    Label4->setFont(underlined);
    for (QLabel* clickable : {Image2, Label4}) {
        clickable->setCursor(Qt::PointingHandCursor);
        clickable->installEventFilter(this);
    }

    auto* facts = new QGridLayout;
    facts->addWidget(Label6, 0, 0);
    facts->addWidget(Label9, 0, 1);
    facts->addWidget(Label3, 1, 0);
    facts->addWidget(Label10, 1, 1);
    facts->addWidget(Label8, 2, 0);
    facts->addWidget(Label12, 2, 1);
    facts->setColumnStretch(1, 1);

    auto* text = new QVBoxLayout;
    text->addWidget(Label1);
    text->addWidget(Label2);
    text->addSpacing(8);
    text->addLayout(facts);
    text->addSpacing(8);
    text->addWidget(Label4);

    auto* body = new QHBoxLayout;
    body->addWidget(Image2, 0, Qt::AlignTop);
    body->addSpacing(12);
    body->addLayout(text, 1);

    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    FormShow();
    setFixedSize(QSize(440, sizeHint().height()));
}

void TFAbout::FormShow() {
    Label2->setText(state_.SW_Desc);
    Label9->setText(QString::fromLatin1(Default_SW_Code));
    Label10->setText(QString::fromLatin1(SW_Version));
    Label12->setText(QString::fromLatin1(Manual_Code));
}

int TFAbout::Execute() {
    FormShow();
    return exec();
}

void TFAbout::Label4Click() {
    QDesktopServices::openUrl(Home_Page_Url());
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == Image2 || watched == Label4) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace app
