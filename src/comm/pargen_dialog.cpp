#include "comm/pargen_dialog.h"

#include "comm/category_panel.h"
#include "comm/pargen_validation.h"
#include "lang/language_events.h"
#include "project/editor_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValidator>
#include <QWheelEvent>

namespace comm {

namespace {

constexpr int Dialog_Width = 600;
constexpr int Dialog_Height = 640;
constexpr int Caption_Width = 200;
constexpr int Octet_Width = 44;

/// BACnet device names are typed in lower case: letters are lowered as they are entered.
class Lower_Case_Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toLower();
        return Acceptable;
    }
};

void Set_Caption(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* check = qobject_cast<QCheckBox*>(widget))
        check->setText(text);
}

QString Flag(const QCheckBox* check) {
    return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void Set_Flag(QCheckBox* check, const QString& text) {
    check->setChecked(text == u'1');
}

void Set_Octets(const Octet_Boxes& boxes, const Octet_Texts& texts) {
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(texts[i]);
}

Octet_Texts Octets(const Octet_Boxes& boxes) {
    Octet_Texts texts;
    for (size_t i = 0; i < boxes.size(); ++i)
        texts[i] = boxes[i]->text();
    return texts;
}

void Set_Enabled(const Octet_Boxes& boxes, bool enabled) {
    for (QLineEdit* box : boxes)
        box->setEnabled(enabled);
}

} // namespace

TFParGen::TFParGen(app::Session_State& state, project::User_Prompt& prompt, QWidget* parent)
    : QDialog(parent), state_(state), prompt_(prompt) {
    FormCreate();
}

void TFParGen::FormCreate() {
    setObjectName(QStringLiteral("FParGen"));
    auto* layout = new QVBoxLayout(this);
    header_ = project::Add_Dialog_Header(this, layout, state_.SW_Code);

    auto* group = new QWidget;
    auto* group_layout = new QVBoxLayout(group);
    group_layout->setSpacing(6);
    // Titles are built once, in the language of the program's start.
    CP_Ethernet_Connection = new Category_Panel(QStringLiteral("1. ") + state_.Text(919), group);
    CP_HART_Master = new Category_Panel(QStringLiteral("2. ") + state_.Text(406), group);
    CP_BACnet_Slave = new Category_Panel(QStringLiteral("3. ") + state_.Text(725), group);
    CP_Web_Pages = new Category_Panel(QStringLiteral("4. ") + state_.Text(913), group);
    CP_Ethernet = new Category_Panel(QStringLiteral("5. ") + state_.Text(438), group);
    for (Category_Panel* panel :
         {CP_Ethernet_Connection, CP_HART_Master, CP_BACnet_Slave, CP_Web_Pages, CP_Ethernet})
        group_layout->addWidget(panel);
    group_layout->addStretch(1);

    Build_Ethernet_Connection();
    Build_HART_Master();
    Build_BACnet_Slave();
    Build_Web_Pages();
    Build_Ethernet();

    Panel_Group = new QScrollArea(this);
    Panel_Group->setObjectName(QStringLiteral("Panel_Group"));
    Panel_Group->setWidgetResizable(true);
    Panel_Group->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Panel_Group->setWidget(group);
    layout->addWidget(Panel_Group, 1);

    Build_Buttons(layout);

    Build_Key_Chains();
    Map_Checked_Fields();
    Watch_Changes();
    Watch_Wheel(Panel_Group);

    setFixedWidth(Dialog_Width);
    resize(Dialog_Width, Dialog_Height);
    Move_GroupBoxs();
    Set_Lang();
    connect(&lang::Language_Changes(), &lang::Language_Events::Changed, this, &TFParGen::Set_Lang);
}

// --- Building blocks -------------------------------------------------------------------------

QLabel* TFParGen::New_Label() {
    auto* label = new QLabel(this);
    label->setFixedWidth(Caption_Width);
    return label;
}

QLineEdit* TFParGen::New_Edit(const QString& name, int max_length) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (max_length > 0)
        edit->setMaxLength(max_length);
    return edit;
}

QCheckBox* TFParGen::New_Check(const QString& name) {
    auto* check = new QCheckBox(this);
    check->setObjectName(name);
    return check;
}

QComboBox* TFParGen::New_Combo(const QString& name, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setMinimumWidth(160);
    return combo;
}

Octet_Boxes TFParGen::New_Octets(const QString& base) {
    Octet_Boxes boxes{};
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = New_Edit(base + QString::number(i + 1));
        boxes[i]->setFixedWidth(Octet_Width);
        boxes[i]->setAlignment(Qt::AlignRight);
        boxes[i]->installEventFilter(this);
    }
    return boxes;
}

QWidget* TFParGen::Add_Row(Category_Panel* panel, QWidget* caption, const QList<QWidget*>& fields) {
    auto* row = new QWidget(panel->Content());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (caption) {
        if (qobject_cast<QCheckBox*>(caption))
            caption->setFixedWidth(Caption_Width);
        layout->addWidget(caption);
    }
    for (QWidget* field : fields)
        layout->addWidget(field);
    layout->addStretch(1);
    panel->Content_Layout()->addWidget(row);
    return row;
}

QWidget* TFParGen::Add_Octet_Row(Category_Panel* panel, QWidget* caption,
                                 const Octet_Boxes& boxes) {
    QList<QWidget*> fields;
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (i > 0)
            fields << new QLabel(QStringLiteral("."), this);
        fields << boxes[i];
    }
    return Add_Row(panel, caption ? caption : New_Label(), fields);
}

// --- Panels ----------------------------------------------------------------------------------

void TFParGen::Build_Ethernet_Connection() {
    Category_Panel* panel = CP_Ethernet_Connection;
    E_EthConn_Device_Name = New_Edit(QStringLiteral("E_EthConn_Device_Name"), 31);
    E_EthConn_Device_Name->setMinimumWidth(260);
    QLabel* name = New_Label();
    Add_Row(panel, name, {E_EthConn_Device_Name});
    CB_EthConn_En_DHCP_Cable = New_Check(QStringLiteral("CB_EthConn_En_DHCP_Cable"));
    Add_Row(panel, nullptr, {CB_EthConn_En_DHCP_Cable});
    CB_EthConn_En_DHCP_WiFi = New_Check(QStringLiteral("CB_EthConn_En_DHCP_WiFi"));
    Add_Row(panel, nullptr, {CB_EthConn_En_DHCP_WiFi});
    CB_EthConn_Enable_DNS = New_Check(QStringLiteral("CB_EthConn_Enable_DNS"));
    Add_Row(panel, nullptr, {CB_EthConn_Enable_DNS});
    E_EthConn_Pri_DNS = New_Octets(QStringLiteral("E_EthConn_Pri_DNS_IP"));
    QLabel* primary = New_Label();
    Add_Octet_Row(panel, primary, E_EthConn_Pri_DNS);
    E_EthConn_Sec_DNS = New_Octets(QStringLiteral("E_EthConn_Sec_DNS_IP"));
    QLabel* secondary = New_Label();
    Add_Octet_Row(panel, secondary, E_EthConn_Sec_DNS);

    captions_ << std::pair{name, 920} << std::pair{CB_EthConn_En_DHCP_Cable, 922}
              << std::pair{CB_EthConn_En_DHCP_WiFi, 924} << std::pair{CB_EthConn_Enable_DNS, 926}
              << std::pair{primary, 928} << std::pair{secondary, 933};
    hints_ << std::pair{E_EthConn_Device_Name, 921} << std::pair{CB_EthConn_En_DHCP_Cable, 923}
           << std::pair{CB_EthConn_En_DHCP_WiFi, 925} << std::pair{CB_EthConn_Enable_DNS, 927};
    for (int i = 0; i < 4; ++i)
        hints_ << std::pair{E_EthConn_Pri_DNS[size_t(i)], 929 + i}
               << std::pair{E_EthConn_Sec_DNS[size_t(i)], 934 + i};
}

void TFParGen::Build_HART_Master() {
    Category_Panel* panel = CP_HART_Master;
    CB_HART_Master_Address =
        New_Combo(QStringLiteral("CB_HART_Master_Address"), Master_Address_Items());
    QLabel* address = New_Label();
    Add_Row(panel, address, {CB_HART_Master_Address});
    CB_HART_Master_RetryLimit =
        New_Combo(QStringLiteral("CB_HART_Master_RetryLimit"), Retry_Limit_Items());
    QLabel* retry = New_Label();
    Add_Row(panel, retry, {CB_HART_Master_RetryLimit});
    CB_HART_Master_Diagnostic = New_Check(QStringLiteral("CB_HART_Master_Diagnostic"));
    E_HART_Master_Diagnostic = New_Edit(QStringLiteral("E_HART_Master_Diagnostic"), 8);
    E_HART_Master_Diagnostic->setFixedWidth(80);
    Add_Row(panel, CB_HART_Master_Diagnostic, {E_HART_Master_Diagnostic});

    captions_ << std::pair{address, 407} << std::pair{retry, 409}
              << std::pair{CB_HART_Master_Diagnostic, 978};
    hints_ << std::pair{CB_HART_Master_Address, 408} << std::pair{CB_HART_Master_RetryLimit, 410}
           << std::pair{CB_HART_Master_Diagnostic, 979} << std::pair{E_HART_Master_Diagnostic, 980};
}

void TFParGen::Build_BACnet_Slave() {
    Category_Panel* panel = CP_BACnet_Slave;
    auto labelled = [&](QWidget* field, int caption, int hint) {
        QLabel* label = New_Label();
        captions_ << std::pair{label, caption};
        hints_ << std::pair{field, hint};
        return Add_Row(panel, label, {field});
    };
    CB_BACnet_Slave_Type = New_Combo(QStringLiteral("CB_BACnet_Slave_Type"), BACnet_Type_Items());
    labelled(CB_BACnet_Slave_Type, 726, 727);

    // BACnet/IP rows.
    E_BACnet_IP_Slave_IP = New_Octets(QStringLiteral("E_BACnet_IP_Slave_IP"));
    E_BACnet_IP_Slave_SM = New_Octets(QStringLiteral("E_BACnet_IP_Slave_SM"));
    E_BACnet_IP_Slave_GAT = New_Octets(QStringLiteral("E_BACnet_IP_Slave_GAT"));
    CB_BACnet_IP_Slave_GAT = New_Check(QStringLiteral("CB_BACnet_IP_Slave_GAT"));
    QLabel* ip = New_Label();
    QLabel* mask = New_Label();
    bacnet_ip_rows_ << Add_Octet_Row(panel, ip, E_BACnet_IP_Slave_IP)
                    << Add_Octet_Row(panel, mask, E_BACnet_IP_Slave_SM)
                    << Add_Octet_Row(panel, CB_BACnet_IP_Slave_GAT, E_BACnet_IP_Slave_GAT);
    captions_ << std::pair{ip, 728} << std::pair{mask, 733}
              << std::pair{CB_BACnet_IP_Slave_GAT, 738};
    hints_ << std::pair{CB_BACnet_IP_Slave_GAT, 739};
    for (int i = 0; i < 4; ++i)
        hints_ << std::pair{E_BACnet_IP_Slave_IP[size_t(i)], 729 + i}
               << std::pair{E_BACnet_IP_Slave_SM[size_t(i)], 734 + i}
               << std::pair{E_BACnet_IP_Slave_GAT[size_t(i)], 740 + i};
    E_BACnet_IP_Slave_Port = New_Edit(QStringLiteral("E_BACnet_IP_Slave_Port"));
    E_BACnet_IP_Slave_Device_Name = New_Edit(QStringLiteral("E_BACnet_IP_Slave_Device_Name"), 15);
    E_BACnet_IP_Slave_Device_Identifier =
        New_Edit(QStringLiteral("E_BACnet_IP_Slave_Device_Identifier"));
    bacnet_ip_rows_ << labelled(E_BACnet_IP_Slave_Port, 744, 745)
                    << labelled(E_BACnet_IP_Slave_Device_Name, 746, 747)
                    << labelled(E_BACnet_IP_Slave_Device_Identifier, 748, 749);

    // BACnet MS/TP rows, shown in the place of the IP rows.
    CB_BACnet_MSTP_Slave_Baudrate =
        New_Combo(QStringLiteral("CB_BACnet_MSTP_Slave_Baudrate"), Baudrate_Items());
    CB_BACnet_MSTP_Slave_Parity =
        New_Combo(QStringLiteral("CB_BACnet_MSTP_Slave_Parity"), Parity_Items());
    E_BACnet_MSTP_Slave_Device_Name =
        New_Edit(QStringLiteral("E_BACnet_MSTP_Slave_Device_Name"), 15);
    E_BACnet_MSTP_Slave_MAC_Address = New_Edit(QStringLiteral("E_BACnet_MSTP_Slave_MAC_Address"));
    E_BACnet_MSTP_Slave_Max_Master = New_Edit(QStringLiteral("E_BACnet_MSTP_Slave_Max_Master"), 15);
    E_BACnet_MSTP_Slave_Max_Info_Frame =
        New_Edit(QStringLiteral("E_BACnet_MSTP_Slave_Max_Info_Frame"));
    E_BACnet_MSTP_Slave_Device_Instance =
        New_Edit(QStringLiteral("E_BACnet_MSTP_Slave_Device_Instance"), 15);
    E_BACnet_MSTP_Slave_Network = New_Edit(QStringLiteral("E_BACnet_MSTP_Slave_Network"));
    bacnet_mstp_rows_ << labelled(CB_BACnet_MSTP_Slave_Baudrate, 750, 751)
                      << labelled(CB_BACnet_MSTP_Slave_Parity, 752, 753)
                      << labelled(E_BACnet_MSTP_Slave_Device_Name, 754, 755)
                      << labelled(E_BACnet_MSTP_Slave_MAC_Address, 756, 757)
                      << labelled(E_BACnet_MSTP_Slave_Max_Master, 758, 759)
                      << labelled(E_BACnet_MSTP_Slave_Max_Info_Frame, 760, 761)
                      << labelled(E_BACnet_MSTP_Slave_Device_Instance, 762, 763)
                      << labelled(E_BACnet_MSTP_Slave_Network, 764, 765);

    for (QLineEdit* name : {E_BACnet_IP_Slave_Device_Name, E_BACnet_MSTP_Slave_Device_Name})
        name->setValidator(new Lower_Case_Validator(name));

    CB_BACnet_Slave_Desc_32_Chars = New_Check(QStringLiteral("CB_BACnet_Slave_Desc_32_Chars"));
    Add_Row(panel, nullptr, {CB_BACnet_Slave_Desc_32_Chars});
    captions_ << std::pair{CB_BACnet_Slave_Desc_32_Chars, 766};
    hints_ << std::pair{CB_BACnet_Slave_Desc_32_Chars, 767};
}

void TFParGen::Build_Web_Pages() {
    E_WebPages_User = New_Edit(QStringLiteral("E_WebPages_User"), 8);
    E_WebPages_Password = New_Edit(QStringLiteral("E_WebPages_Password"), 8);
    QLabel* user = New_Label();
    QLabel* password = New_Label();
    Add_Row(CP_Web_Pages, user, {E_WebPages_User});
    Add_Row(CP_Web_Pages, password, {E_WebPages_Password});
    captions_ << std::pair{user, 914} << std::pair{password, 916};
    hints_ << std::pair{E_WebPages_User, 915} << std::pair{E_WebPages_Password, 917};
}

void TFParGen::Build_Ethernet() {
    E_Ethernet_IP = New_Octets(QStringLiteral("E_Ethernet_IP"));
    E_Ethernet_SM = New_Octets(QStringLiteral("E_Ethernet_SM"));
    E_Ethernet_GAT = New_Octets(QStringLiteral("E_Ethernet_GAT"));
    CB_Ethernet_En_GAT = New_Check(QStringLiteral("CB_Ethernet_En_GAT"));
    QLabel* ip = New_Label();
    QLabel* mask = New_Label();
    Add_Octet_Row(CP_Ethernet, ip, E_Ethernet_IP);
    Add_Octet_Row(CP_Ethernet, mask, E_Ethernet_SM);
    Add_Octet_Row(CP_Ethernet, CB_Ethernet_En_GAT, E_Ethernet_GAT);
    captions_ << std::pair{ip, 439} << std::pair{mask, 444} << std::pair{CB_Ethernet_En_GAT, 449};
    hints_ << std::pair{CB_Ethernet_En_GAT, 450};
    for (int i = 0; i < 4; ++i)
        hints_ << std::pair{E_Ethernet_IP[size_t(i)], 440 + i}
               << std::pair{E_Ethernet_SM[size_t(i)], 445 + i}
               << std::pair{E_Ethernet_GAT[size_t(i)], 451 + i};
}

void TFParGen::Build_Buttons(QVBoxLayout* layout) {
    const project::Dialog_Buttons buttons = project::Add_Dialog_Buttons(this, layout);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    connect(Btn_OK, &QPushButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFParGen::Btn_CancelClick);
    hints_ << std::pair{Btn_OK, 404} << std::pair{Btn_Cancel, 405};
}

void TFParGen::Build_Key_Chains() {
    auto chain = [this](const QList<QLineEdit*>& boxes) {
        for (qsizetype i = 0; i < boxes.size(); ++i)
            next_octet_[boxes[i]] = i + 1 < boxes.size() ? boxes[i + 1] : nullptr;
    };
    auto list = [](std::initializer_list<Octet_Boxes> groups) {
        QList<QLineEdit*> boxes;
        for (const Octet_Boxes& group : groups)
            for (QLineEdit* box : group)
                boxes << box;
        return boxes;
    };
    chain(list({E_EthConn_Pri_DNS, E_EthConn_Sec_DNS}));
    chain(list({E_Ethernet_IP, E_Ethernet_SM, E_Ethernet_GAT}));
    chain(list({E_BACnet_IP_Slave_IP, E_BACnet_IP_Slave_SM, E_BACnet_IP_Slave_GAT}));
}

void TFParGen::Map_Checked_Fields() {
    auto octets = [this](const Octet_Boxes& boxes, int first_id) {
        for (size_t i = 0; i < boxes.size(); ++i)
            checked_fields_[first_id + int(i)] = boxes[i];
    };
    octets(E_EthConn_Pri_DNS, 957);
    octets(E_EthConn_Sec_DNS, 961);
    checked_fields_[981] = E_HART_Master_Diagnostic;
    octets(E_Ethernet_IP, 801);
    octets(E_Ethernet_SM, 805);
    octets(E_Ethernet_GAT, 809);
    checked_fields_[792] = E_BACnet_MSTP_Slave_Device_Name;
    checked_fields_[793] = E_BACnet_MSTP_Slave_MAC_Address;
    checked_fields_[794] = E_BACnet_MSTP_Slave_Max_Master;
    checked_fields_[795] = E_BACnet_MSTP_Slave_Max_Info_Frame;
    checked_fields_[796] = E_BACnet_MSTP_Slave_Device_Instance;
    checked_fields_[797] = E_BACnet_MSTP_Slave_Network;
    octets(E_BACnet_IP_Slave_IP, 777);
    octets(E_BACnet_IP_Slave_SM, 781);
    octets(E_BACnet_IP_Slave_GAT, 785);
    checked_fields_[789] = E_BACnet_IP_Slave_Port;
    checked_fields_[790] = E_BACnet_IP_Slave_Device_Name;
    checked_fields_[791] = E_BACnet_IP_Slave_Device_Identifier;
}

void TFParGen::Watch_Changes() {
    auto changed = [this] { Is_Change = true; };
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, changed);
    for (QComboBox* combo : findChildren<QComboBox*>())
        connect(combo, &QComboBox::currentIndexChanged, this, changed);
    for (QCheckBox* check : findChildren<QCheckBox*>())
        connect(check, &QCheckBox::toggled, this, changed);
    connect(CB_BACnet_Slave_Type, &QComboBox::currentIndexChanged, this, &TFParGen::Move_GroupBoxs);
    for (QCheckBox* dhcp : {CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi})
        connect(dhcp, &QCheckBox::clicked, this, &TFParGen::Move_GroupBoxs);
}

void TFParGen::Watch_Wheel(QWidget* root) {
    root->installEventFilter(this);
    for (QWidget* child : root->findChildren<QWidget*>())
        child->installEventFilter(this);
}

// --- Behaviour -------------------------------------------------------------------------------

void TFParGen::Set_Lang() {
    setWindowTitle(state_.Text(400));
    header_.L_SW_Desc->setText(state_.Text(401));
    Btn_OK->setText(state_.Text(402));
    Btn_Cancel->setText(state_.Text(403));
    for (const auto& [widget, id] : captions_)
        Set_Caption(widget, state_.Text(id));
    for (const auto& [widget, id] : hints_)
        project::Set_Hint(widget, state_.Text(id));
}

void TFParGen::Move_GroupBoxs() {
    CB_EthConn_En_DHCP_WiFi->setEnabled(false);
    const bool by_dhcp = CB_EthConn_En_DHCP_Cable->isChecked();
    const bool mstp = CB_BACnet_Slave_Type->currentIndex() != 0;
    for (QWidget* row : bacnet_ip_rows_)
        row->setVisible(!mstp);
    for (QWidget* row : bacnet_mstp_rows_)
        row->setVisible(mstp);
    for (const Octet_Boxes& boxes :
         {E_BACnet_IP_Slave_IP, E_BACnet_IP_Slave_SM, E_BACnet_IP_Slave_GAT, E_Ethernet_IP,
          E_Ethernet_SM, E_Ethernet_GAT})
        Set_Enabled(boxes, !by_dhcp);
    CB_Ethernet_En_GAT->setEnabled(!by_dhcp);
    // The device's own Ethernet addresses matter only for MS/TP; BACnet/IP brings its own.
    CP_Ethernet->setVisible(mstp);
}

void TFParGen::Record_To_Controls(const ParGen_Record& r) {
    E_EthConn_Device_Name->setText(r.Eth_Conn_Device_Name);
    Set_Flag(CB_EthConn_En_DHCP_Cable, r.Eth_Conn_DHCP_Cable);
    CB_EthConn_En_DHCP_WiFi->setChecked(false); // this model has no Wi-Fi
    Set_Flag(CB_EthConn_Enable_DNS, r.Eth_Conn_Enable_DNS);
    Set_Octets(E_EthConn_Pri_DNS, r.Eth_Conn_Primary_DNS);
    Set_Octets(E_EthConn_Sec_DNS, r.Eth_Conn_Secondary_DNS);
    CB_HART_Master_Address->setCurrentIndex(Get_Master_Address(r.HART_Master_Address));
    CB_HART_Master_RetryLimit->setCurrentIndex(Get_Retry_Limit(r.HART_Master_Retry_Limit));
    Set_Flag(CB_HART_Master_Diagnostic, r.HART_Master_Enable_Diagnostic);
    E_HART_Master_Diagnostic->setText(r.HART_Master_Diagnostic);
    Set_Octets(E_Ethernet_IP, r.Ethernet_IP);
    Set_Octets(E_Ethernet_SM, r.Ethernet_SM);
    Set_Octets(E_Ethernet_GAT, r.Ethernet_GAT);
    Set_Flag(CB_Ethernet_En_GAT, r.Ethernet_EN_GAT);
    CB_BACnet_Slave_Type->setCurrentIndex(Is_BACnet_MSTP(r) ? 1 : 0);
    Set_Octets(E_BACnet_IP_Slave_IP, r.BACnet_IP);
    Set_Octets(E_BACnet_IP_Slave_SM, r.BACnet_SM);
    Set_Octets(E_BACnet_IP_Slave_GAT, r.BACnet_GAT);
    Set_Flag(CB_BACnet_IP_Slave_GAT, r.BACnet_EN_GAT);
    E_BACnet_IP_Slave_Port->setText(r.BACnet_PORT);
    E_BACnet_IP_Slave_Device_Name->setText(r.BACnet_NAME_STA);
    E_BACnet_IP_Slave_Device_Identifier->setText(r.BACnet_DEV_IDE);
    CB_BACnet_MSTP_Slave_Baudrate->setCurrentIndex(r.BACnet_Ser_Baudrate.toInt());
    CB_BACnet_MSTP_Slave_Parity->setCurrentIndex(r.BACnet_Ser_Parity.toInt());
    E_BACnet_MSTP_Slave_MAC_Address->setText(r.BACnet_Ser_ID);
    E_BACnet_MSTP_Slave_Device_Name->setText(r.BACnet_Ser_NAME_STA);
    E_BACnet_MSTP_Slave_Max_Master->setText(r.BACnet_Ser_Max_Master);
    E_BACnet_MSTP_Slave_Max_Info_Frame->setText(r.BACnet_Ser_Max_Info_Frames);
    E_BACnet_MSTP_Slave_Device_Instance->setText(r.BACnet_Ser_DEV_IDE);
    E_BACnet_MSTP_Slave_Network->setText(r.BACnet_Ser_Network);
    Set_Flag(CB_BACnet_Slave_Desc_32_Chars, r.BACnet_Desc_Chars_Limit);
    E_WebPages_User->setText(r.Web_Pages_User);
    E_WebPages_Password->setText(r.Web_Pages_Password);
}

ParGen_Record TFParGen::Controls_To_Record() const {
    ParGen_Record r;
    r.Eth_Conn_Device_Name = E_EthConn_Device_Name->text();
    r.Eth_Conn_DHCP_Cable = Flag(CB_EthConn_En_DHCP_Cable);
    r.Eth_Conn_DHCP_WiFi = Flag(CB_EthConn_En_DHCP_WiFi);
    r.Eth_Conn_Enable_DNS = Flag(CB_EthConn_Enable_DNS);
    r.Eth_Conn_Primary_DNS = Octets(E_EthConn_Pri_DNS);
    r.Eth_Conn_Secondary_DNS = Octets(E_EthConn_Sec_DNS);
    r.HART_Master_Address = CB_HART_Master_Address->currentText();
    r.HART_Master_Retry_Limit = CB_HART_Master_RetryLimit->currentText();
    r.HART_Master_Enable_Diagnostic = Flag(CB_HART_Master_Diagnostic);
    r.HART_Master_Diagnostic = E_HART_Master_Diagnostic->text();
    r.Ethernet_IP = Octets(E_Ethernet_IP);
    r.Ethernet_SM = Octets(E_Ethernet_SM);
    r.Ethernet_GAT = Octets(E_Ethernet_GAT);
    r.Ethernet_EN_GAT = Flag(CB_Ethernet_En_GAT);
    r.BACnet_Type = QString::number(CB_BACnet_Slave_Type->currentIndex());
    r.BACnet_IP = Octets(E_BACnet_IP_Slave_IP);
    r.BACnet_SM = Octets(E_BACnet_IP_Slave_SM);
    r.BACnet_GAT = Octets(E_BACnet_IP_Slave_GAT);
    r.BACnet_EN_GAT = Flag(CB_BACnet_IP_Slave_GAT);
    r.BACnet_PORT = E_BACnet_IP_Slave_Port->text();
    r.BACnet_NAME_STA = E_BACnet_IP_Slave_Device_Name->text();
    r.BACnet_DEV_IDE = E_BACnet_IP_Slave_Device_Identifier->text();
    r.BACnet_Ser_Baudrate = QString::number(CB_BACnet_MSTP_Slave_Baudrate->currentIndex());
    r.BACnet_Ser_Parity = QString::number(CB_BACnet_MSTP_Slave_Parity->currentIndex());
    r.BACnet_Ser_ID = E_BACnet_MSTP_Slave_MAC_Address->text();
    r.BACnet_Ser_NAME_STA = E_BACnet_MSTP_Slave_Device_Name->text();
    r.BACnet_Ser_Max_Master = E_BACnet_MSTP_Slave_Max_Master->text();
    r.BACnet_Ser_Max_Info_Frames = E_BACnet_MSTP_Slave_Max_Info_Frame->text();
    r.BACnet_Ser_DEV_IDE = E_BACnet_MSTP_Slave_Device_Instance->text();
    r.BACnet_Ser_Network = E_BACnet_MSTP_Slave_Network->text();
    r.BACnet_Desc_Chars_Limit = Flag(CB_BACnet_Slave_Desc_32_Chars);
    r.Web_Pages_User = E_WebPages_User->text();
    r.Web_Pages_Password = E_WebPages_Password->text();
    return r;
}

bool TFParGen::FormShow(QString& error) {
    ParGen_Record record;
    if (Load_ParGen(state_.ParGen_File, record, error) == project::Load_Status::Failed)
        return false;
    Record_To_Controls(record);
    Is_Change = false;
    Move_GroupBoxs();
    Panel_Group->verticalScrollBar()->setValue(0);
    wheel_pending_ = 0;
    return true;
}

int TFParGen::Show_For_Active_Project() {
    QString error;
    if (!FormShow(error)) {
        prompt_.Error(error);
        return QDialog::Rejected;
    }
    return exec();
}

bool TFParGen::Controllo_Dati() {
    const ParGen_Record record = Controls_To_Record();
    const QString message = comm::Controllo_Dati(record, state_.String_Table);
    if (message.isEmpty())
        return true;
    if (const std::optional<int> failed = First_Failing_Check(record))
        Show_Field(checked_fields_.value(*failed));
    prompt_.Error(message);
    return false;
}

void TFParGen::Show_Field(QWidget* field) {
    if (!field)
        return;
    for (QWidget* parent = field->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* panel = qobject_cast<Category_Panel*>(parent))
            panel->Set_Collapsed(false);
    // The unfolded panel must be laid out before the group can scroll to the field in it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    Panel_Group->ensureWidgetVisible(field);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

void TFParGen::Btn_OKClick() {
    if (project::Validate_Then_Save(
            prompt_, [this] { return Controllo_Dati(); },
            [this] { return Save_ParGen(Controls_To_Record(), state_.ParGen_File); }))
        accept();
}

void TFParGen::Btn_CancelClick() {
    if (project::Confirm_Discard(prompt_, Is_Change, state_.Text(911)))
        reject();
}

void TFParGen::Wheel_Scroll(int angle_delta) {
    QScrollBar* bar = Panel_Group->verticalScrollBar();
    // A notch of a mouse wheel is 120; a touchpad sends many small deltas that add up to it.
    constexpr double Notch = 120.0;
    wheel_pending_ -= angle_delta / Notch * QApplication::wheelScrollLines() * bar->singleStep();
    const int pixels = static_cast<int>(wheel_pending_);
    wheel_pending_ -= pixels;
    if (pixels != 0)
        bar->setValue(bar->value() + pixels);
}

bool TFParGen::Octet_Key_Press(QLineEdit* box) {
    QLineEdit* next = next_octet_.value(box);
    if (next && next->isVisible() && next->isEnabled())
        next->setFocus(Qt::TabFocusReason);
    return true; // the dot itself is never typed into an octet box
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && next_octet_.contains(box) &&
            static_cast<QKeyEvent*>(event)->text() == QLatin1String("."))
            return Octet_Key_Press(box);
    } else if (event->type() == QEvent::Wheel) {
        // Over the panel group the wheel scrolls the group, never a drop-down's choice.
        Wheel_Scroll(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFParGen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Btn_CancelClick(); // Esc is the Cancel button, with its question
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace comm
